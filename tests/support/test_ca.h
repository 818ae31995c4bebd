#pragma once

#include <filesystem>
#include <string>

// A certificate authority made for one test, and a certificate it signed for 127.0.0.1, as PEM
// files in folder (made with the openssl command).
struct TestCa
{
    std::filesystem::path caFile;
    std::filesystem::path certFile;
    std::filesystem::path keyFile;

    // Throws std::runtime_error when openssl fails.
    static TestCa make(const std::filesystem::path& folder);
};
