#pragma once

#include <filesystem>
#include <string>

// A fresh folder for one test, removed afterwards.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as the program's path text, ending with the separator.
    std::string text() const { return m_path.string() + "/"; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::filesystem::path m_path;
};
