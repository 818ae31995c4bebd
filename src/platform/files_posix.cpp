#include "files.h"

#include "base/cp1252.h"
#include "base/dates.h"
#include "base/errors.h"
#include "base/parallel.h"
#include "base/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace files {
namespace {

[[noreturn]] void fail(int err, const fs::path& path)
{
    throw IoError(err, ioErrorText(err) + "\n" + toText(path));
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

Presence probe(const fs::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT)
            return {Presence::Kind::Missing, {}};
        return {Presence::Kind::Unreachable, ioErrorText(err) + "\n" + toText(path)};
    }
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT)
            return {Presence::Kind::Unreachable, "Il collegamento punta a un file che non c'\xE8:\n" + toText(path) +
                                                     " -> " + toText(resolveLinks(path))};
        return {Presence::Kind::Unreachable, ioErrorText(err) + "\n" + toText(path)};
    }
    return {Presence::Kind::Present, {}};
}

std::string readWhole(const fs::path& path, std::size_t maxBytes)
{
    struct stat st {};
    Fd fd(openForReading(path, st));
    const auto tooLarge = [&] {
        throw UserError("File troppo grande (oltre " + std::to_string(maxBytes / 1000000) + " MB)\n" + toText(path));
    };
    if (st.st_size > 0 && static_cast<std::uint64_t>(st.st_size) > maxBytes)
        tooLarge();
    std::string data;
    std::size_t used = 0;
    data.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : std::min<std::size_t>(4096, maxBytes));
    for (;;) {
        if (used == data.size()) {
            if (used >= maxBytes) {
                // Grown past the cap while being read, or a device with no size: one more byte
                // tells which.
                char extra;
                const ssize_t n = ::read(fd.get(), &extra, 1);
                if (n > 0)
                    tooLarge();
                if (n < 0 && errno != EINTR)
                    fail(errno, path);
                if (n < 0)
                    continue;
                break;
            }
            // Full: most often the end of the file, which a small read tells before the buffer
            // doubles (a doubled buffer of a large file is touched, and stays resident).
            char probe[4096];
            const ssize_t got = ::read(fd.get(), probe, std::min(sizeof probe, maxBytes - used));
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                fail(errno, path);
            }
            if (got == 0)
                break;
            data.resize(std::min(maxBytes, std::max(data.size() * 2, used + static_cast<std::size_t>(got)))); // the file grew while being read
            std::memcpy(data.data() + used, probe, static_cast<std::size_t>(got));
            used += static_cast<std::size_t>(got);
            continue;
        }
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

namespace {

// Fills dst with the file's bytes from offset on; false when the file ends first.
bool readAt(int fd, char* dst, std::size_t size, off_t offset, const fs::path& path)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, dst, size, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, path);
        }
        if (n == 0)
            return false;
        dst += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

} // namespace

OwnBytes::OwnBytes(const fs::path& path)
{
    {
        struct stat st {};
        Fd fd(openForReading(path, st));
        constexpr off_t kLargeFrom = 8 << 20;
        if (S_ISREG(st.st_mode) && st.st_size >= kLargeFrom) {
            const auto size = static_cast<std::size_t>(st.st_size);
            void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p != MAP_FAILED) {
                m_block = p;
                m_blockSize = size;
                ::madvise(p, size, MADV_HUGEPAGE);
                char* bytes = static_cast<char*>(p);
                const std::size_t half = size / 2;
                bool whole = true, wholeSecond = true;
                try {
                    runBoth([&] { whole = readAt(fd.get(), bytes, half, 0, path); },
                            [&] { wholeSecond = readAt(fd.get(), bytes + half, size - half, static_cast<off_t>(half), path); });
                } catch (...) {
                    // A failed read gives the block back: the destructor of a half-built object never runs.
                    ::munmap(m_block, m_blockSize);
                    m_block = nullptr;
                    throw;
                }
                char more;
                // A file that changed its size while being read is read again the plain way.
                if (whole && wholeSecond && ::pread(fd.get(), &more, 1, st.st_size) == 0) {
                    m_view = std::string_view(bytes, size);
                    return;
                }
                ::munmap(m_block, m_blockSize);
                m_block = nullptr;
            }
        }
    }
    m_copy = readWhole(path);
    m_view = m_copy;
}

OwnBytes::~OwnBytes()
{
    if (m_block)
        ::munmap(m_block, m_blockSize);
}

FileBytes::~FileBytes()
{
    if (m_map)
        ::munmap(m_map, m_mapSize);
}

fs::path resolveLinks(const fs::path& path)
{
    fs::path current = path;
    // As many hops as the kernel follows; a loop ends there and the open reports it.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec)
            return current;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current;
}

namespace {

// Read, not set and reset: umask() would change it for the whole process for a moment.
mode_t currentUmask()
{
    try {
        const std::string status = readWhole("/proc/self/status", 1 << 16);
        const std::size_t at = status.find("\nUmask:");
        if (at != std::string::npos)
            return static_cast<mode_t>(std::strtoul(status.c_str() + at + 8, nullptr, 8));
    } catch (const UserError&) {
    }
    return 022;
}

// The names of a save's own files beside its target: "<target>" + tag + what makes them unique.
constexpr const char* kTemporaryTag = ".tmp-"; // then mkstemp's six letters and digits
constexpr const char* kStagedTag = ".bak-";    // then the process id, "-" and a counter

// A name for a link or file beside target that nothing has yet.
fs::path uniqueSibling(const fs::path& target, const char* tag)
{
    static unsigned counter = 0;
    const std::string base = target.filename().string() + tag;
    for (;;) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%d-%u", static_cast<int>(::getpid()), ++counter);
        fs::path candidate = target.parent_path() / (base + suffix);
        struct stat st {};
        if (::lstat(candidate.c_str(), &st) != 0 && errno == ENOENT)
            return candidate;
    }
}

} // namespace

AtomicWriter::AtomicWriter(const fs::path& path, Backup backup)
    : m_path(path), m_target(resolveLinks(path)), m_backup(backup)
{
    // The temporary sits beside the file it replaces, so the rename stays on one file system.
    std::string pattern =
        (m_target.parent_path() / (m_target.filename().string() + kTemporaryTag + "XXXXXX")).string();
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        fail(errno, path);
    m_tmp = pattern;
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0) {
        // Owner and group can be kept only by root (a refusal leaves the saver's own); the mode always.
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0) {
        }
        ::fchmod(m_fd, old.st_mode & 07777);
    } else
        ::fchmod(m_fd, 0666 & ~currentUmask());
}

AtomicWriter::AtomicWriter(const fs::path& path, Backup backup, unsigned mode) : AtomicWriter(path, backup)
{
    if (::fchmod(m_fd, static_cast<mode_t>(mode)) != 0)
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

void AtomicWriter::keepBackup()
{
    struct stat st {};
    if (::lstat(m_target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return; // nothing to keep yet
    const fs::path backup = backupPath(m_target);
    // A second name for the old file costs no copy; the rename makes the switch of backups atomic.
    const fs::path staged = uniqueSibling(m_target, kStagedTag);
    if (::link(m_target.c_str(), staged.c_str()) != 0) {
        const int err = errno;
        if (err != EPERM && err != EXDEV && err != EMLINK && err != ENOTSUP && err != EOPNOTSUPP && err != ENOSYS)
            fail(err, backup);
        // File systems without hard links get a copy, with the archive's own rights.
        AtomicWriter copy(backup);
        copy.write(readWhole(m_target));
        copy.commit();
        ::chmod(backup.c_str(), st.st_mode & 07777);
        return;
    }
    const int renamed = ::rename(staged.c_str(), backup.c_str());
    const int err = errno;
    // A backup that already is the same file (a save that stopped half-way) leaves the rename
    // nothing to do: the staged name must go all the same.
    ::unlink(staged.c_str());
    if (renamed != 0)
        fail(err, backup);
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
    try {
        if (m_backup == Backup::Keep)
            keepBackup();
    } catch (...) {
        ::unlink(m_tmp.c_str());
        throw;
    }
    if (::rename(m_tmp.c_str(), m_target.c_str()) != 0) {
        const int err = errno;
        ::unlink(m_tmp.c_str());
        fail(err, m_path);
    }
    // The rename itself must reach the disk too.
    fs::path folder = m_target.parent_path();
    if (folder.empty())
        folder = ".";
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// name is base + tag + rest, and rest passes the test.
template <typename Rest>
bool namedAfter(std::string_view name, const std::string& base, std::string_view tag, Rest rest)
{
    if (name.size() <= base.size() + tag.size() || name.substr(0, base.size()) != base ||
        name.substr(base.size(), tag.size()) != tag)
        return false;
    return rest(name.substr(base.size() + tag.size()));
}

bool isTemporaryOf(std::string_view name, const std::string& base)
{
    return namedAfter(name, base, kTemporaryTag, [](std::string_view rest) {
        return rest.size() == 6 && std::all_of(rest.begin(), rest.end(), [](char c) {
                   return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
               });
    });
}

bool isStagedBackupOf(std::string_view name, const std::string& base)
{
    return namedAfter(name, base, kStagedTag, [](std::string_view rest) {
        const std::size_t dash = rest.find('-');
        const auto digits = [](std::string_view s) {
            return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
        };
        return dash != std::string_view::npos && digits(rest.substr(0, dash)) &&
               digits(rest.substr(dash + 1));
    });
}

} // namespace

void removeSaveLeftovers(const fs::path& path)
{
    std::vector<fs::path> saved = {path};
    if (const fs::path target = resolveLinks(path); target != path)
        saved.push_back(target);
    for (const fs::path& file : saved) {
        const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
        const std::string base = file.filename().string(), backup = base + ".bak";
        std::vector<fs::path> leftovers;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            struct stat st {};
            // Saves make plain files only: a folder or a link so named is someone else's.
            if ((isTemporaryOf(name, base) || isTemporaryOf(name, backup) || isStagedBackupOf(name, base)) &&
                ::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
                leftovers.push_back(it->path());
        }
        for (const fs::path& leftover : leftovers)
            ::unlink(leftover.c_str());
    }
}

fs::path backupPath(const fs::path& path)
{
    const fs::path target = resolveLinks(path);
    return target.parent_path() / (target.filename().string() + ".bak");
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool namesSameFile(const fs::path& a, const fs::path& b)
{
    if (sameFile(a, b))
        return true;
    const auto folderOf = [](const fs::path& p) { return p.has_parent_path() ? p.parent_path() : fs::path("."); };
    return sameFile(folderOf(a), folderOf(b)) &&
           text::equalsIgnoringAsciiCase(a.filename().string(), b.filename().string());
}

bool isPlainName(std::string_view name)
{
    return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
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
    // A file time past the years the archive can hold (a clock gone wrong) is taken at the end.
    constexpr long long kYear1 = -62135596800LL, kYear10000 = 253402300800LL;
    if (seconds < kYear1 + 86400)
        return dates::firstDate();
    if (seconds >= kYear10000 - 86400)
        return dates::lastDate();
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
    if (!isPlainName(newName))
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

Presence Reader::probe(const fs::path& path) const { return files::probe(path); }

std::optional<double> Reader::modificationTime(const fs::path& path) const { return files::modificationTime(path); }

std::unique_ptr<OwnBytes> Reader::readAll(const fs::path& path) const { return std::make_unique<OwnBytes>(path); }

const Reader& disk()
{
    static const Reader reader;
    return reader;
}

} // namespace files
