#include "test_ca.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

void run(const std::string& command)
{
    if (std::system((command + " 2>/dev/null >/dev/null").c_str()) != 0)
        throw std::runtime_error("openssl failed: " + command);
}

std::string quoted(const std::filesystem::path& p)
{
    return "'" + p.string() + "'";
}

} // namespace

TestCa TestCa::make(const std::filesystem::path& folder)
{
    TestCa ca{folder / "ca.pem", folder / "server.pem", folder / "server.key"};
    const auto caKey = folder / "ca.key", csr = folder / "server.csr", ext = folder / "server.ext";
    run("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=Pellicorio Test CA' -keyout " +
        quoted(caKey) + " -out " + quoted(ca.caFile));
    run("openssl req -newkey rsa:2048 -nodes -subj '/CN=127.0.0.1' -keyout " + quoted(ca.keyFile) + " -out " +
        quoted(csr));
    std::ofstream(ext) << "subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n";
    run("openssl x509 -req -days 2 -in " + quoted(csr) + " -CA " + quoted(ca.caFile) + " -CAkey " +
        quoted(caKey) + " -CAcreateserial -extfile " + quoted(ext) + " -out " + quoted(ca.certFile));
    return ca;
}
