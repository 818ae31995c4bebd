#include "files.h"

#include "base/cp1252.h"
#include "base/dates.h"
#include "base/errors.h"
#include "base/text.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

[[noreturn]] void fail(int err, const fs::path& path)
{
    throw UserError(ioErrorText(err) + "\n" + toText(path));
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

} // namespace

fs::path fromText(const std::string& text) { return fs::path(cp1252::toUtf8(text)); }

std::string toText(const fs::path& path) { return cp1252::fromUtf8(path.string()); }

std::string ioErrorText(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(err);
    }
}

namespace {

// Opens a file for reading; a folder is refused as Windows refuses it.
int openForReading(const fs::path& path, struct stat& st)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        fail(errno, path);
    if (::fstat(fd.get(), &st) != 0)
        fail(errno, path);
    if (S_ISDIR(st.st_mode))
        fail(EISDIR, path);
    return fd.release();
}

} // namespace

std::string readWhole(const fs::path& path)
{
    struct stat st {};
    Fd fd(openForReading(path, st));
    std::string data;
    std::size_t used = 0;
    data.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 4096);
    for (;;) {
        if (used == data.size())
            data.resize(data.size() * 2); // the file grew while being read
        const ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, path);
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    data.resize(used);
    return data;
}

FileBytes::FileBytes(const fs::path& path)
{
    {
        struct stat st {};
        Fd fd(openForReading(path, st));
        constexpr off_t kMapFrom = 4 << 20;
        if (S_ISREG(st.st_mode) && st.st_size >= kMapFrom) {
            void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                             fd.get(), 0);
            if (p != MAP_FAILED) {
                ::madvise(p, static_cast<std::size_t>(st.st_size), MADV_SEQUENTIAL);
                m_map = p;
                m_mapSize = static_cast<std::size_t>(st.st_size);
                m_view = std::string_view(static_cast<const char*>(p), m_mapSize);
                return;
            }
        }
    }
    m_copy = readWhole(path);
    m_view = m_copy;
}

FileBytes::~FileBytes()
{
    if (m_map)
        ::munmap(m_map, m_mapSize);
}

AtomicWriter::AtomicWriter(const fs::path& path) : m_path(path), m_tmp(path)
{
    m_tmp += ".tmp";
    m_fd = ::open(m_tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0)
        fail(errno, path);
}

AtomicWriter::~AtomicWriter()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tmp.c_str());
    }
}

void AtomicWriter::write(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, m_path);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

void AtomicWriter::commit()
{
    if (::fsync(m_fd) != 0)
        fail(errno, m_path);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(m_tmp.c_str());
        fail(err, m_path);
    }
    if (::rename(m_tmp.c_str(), m_path.c_str()) != 0) {
        const int err = errno;
        ::unlink(m_tmp.c_str());
        fail(err, m_path);
    }
    // The rename itself must reach the disk too.
    fs::path folder = m_path.parent_path();
    if (folder.empty())
        folder = ".";
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void writeAtomically(const fs::path& path, const std::string& data)
{
    AtomicWriter writer(path);
    writer.write(data);
    writer.commit();
}

void remove(const fs::path& path)
{
    if (::unlink(path.c_str()) != 0)
        fail(errno, path);
}

bool exists(const fs::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool createFolder(const fs::path& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool isFolder(const fs::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<double> modificationTime(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return localOleTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

double localOleTime(long long seconds, long nanoseconds)
{
    std::tm tm{};
    const std::time_t t = static_cast<std::time_t>(seconds);
    localtime_r(&t, &tm);
    dates::Civil c{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                   static_cast<int>(nanoseconds / 1000000)};
    return dates::encode(c);
}

bool renameNoReplace(const fs::path& folder, const std::string& oldName, const std::string& newName)
{
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    if (newName.empty() || newName.find('/') != std::string::npos || newName == "." || newName == "..")
        return false;
    const fs::path from = dir / oldName;
    struct stat source {};
    if (::lstat(from.c_str(), &source) != 0)
        return false;
    // Names that differ only in case are one name to the user: any other such entry blocks.
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!text::equalsIgnoringAsciiCase(name, newName))
            continue;
        struct stat other {};
        if (::lstat(it->path().c_str(), &other) != 0 || other.st_ino != source.st_ino || other.st_dev != source.st_dev)
            return false;
        if (name == newName)
            return true; // already so named
    }
    if (ec)
        return false;
    const fs::path to = dir / newName;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace flag: a hard link cannot replace either.
    if (S_ISDIR(source.st_mode))
        return !files::exists(to) && ::rename(from.c_str(), to.c_str()) == 0;
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    return ::unlink(from.c_str()) == 0;
}

std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& nativeName)
{
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    if (files::exists(dir / nativeName))
        return dir / nativeName;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (text::equalsIgnoringAsciiCase(name, nativeName))
            return it->path();
    }
    return std::nullopt;
}

} // namespace files
