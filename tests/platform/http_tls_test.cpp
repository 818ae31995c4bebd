// HTTPS is verified: a server whose CA the system does not know answers only once the test names
// that CA in PELLICORIO_CA_BUNDLE.
#include "platform/http_client.h"

#include "base/errors.h"
#include "support/http_test_server.h"
#include "support/temp_folder.h"
#include "support/test_ca.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using Answer = HttpTestServer::Answer;

namespace {

class HttpsTest : public ::testing::Test
{
protected:
    TempFolder folder;
    TestCa ca = TestCa::make(folder.path());
    HttpTestServer server{HttpTestServer::Tls{ca.certFile.string(), ca.keyFile.string()}};
    http::Client client;

    HttpsTest() { server.on("/film", Answer{.body = "{\"id\":1}", .contentType = "application/json"}); }
    ~HttpsTest() override { ::unsetenv(http::kCaBundleVariable); }

    std::optional<std::string> failure(const std::string& url)
    {
        try {
            client.get(url, http::Request{});
        } catch (const UserError& e) {
            return e.what();
        }
        return std::nullopt;
    }
};

} // namespace

TEST_F(HttpsTest, AServerSignedByTheNamedCaAnswers)
{
    ::setenv(http::kCaBundleVariable, ca.caFile.c_str(), 1);
    EXPECT_EQ(client.get(server.baseUrl() + "/film", http::Request{}), "{\"id\":1}");
    EXPECT_EQ(client.get(server.baseUrl() + "/film"), "{\"id\":1}");
}

TEST_F(HttpsTest, WithoutTheCaTheRequestFailsWithItsReason)
{
    EXPECT_EQ(failure(server.baseUrl() + "/film"), "Certificato del server non valido: 127.0.0.1");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_FALSE(client.busy());
}

TEST_F(HttpsTest, AnotherCaDoesNotMakeTheServerTrusted)
{
    TempFolder other;
    const TestCa stranger = TestCa::make(other.path());
    ::setenv(http::kCaBundleVariable, stranger.caFile.c_str(), 1);
    EXPECT_EQ(failure(server.baseUrl() + "/film"), "Certificato del server non valido: 127.0.0.1");
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(HttpsTest, AnUnreadableCaFileFailsTheRequest)
{
    ::setenv(http::kCaBundleVariable, (folder / "missing.pem").c_str(), 1);
    EXPECT_EQ(failure(server.baseUrl() + "/film"),
              "File di certificati non leggibile: " + (folder / "missing.pem").string());
    EXPECT_TRUE(server.requests().empty());
}
