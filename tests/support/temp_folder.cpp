#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "pellicorio-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempFolder::read(const std::string& name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
