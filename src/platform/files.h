#pragma once

#include "base/errors.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <cstdint>

// Whole-file access. Failures throw UserError with the I/O error text the user sees.
namespace files {

namespace fs = std::filesystem;

// A Windows-1252 path text as a path of the (UTF-8) file system, and back.
fs::path fromText(const std::string& text);
std::string toText(const fs::path& path);

std::string ioErrorText(int errnoValue);

// A failed file operation: the text the user sees, and the system's error number behind it.
class IoError : public UserError
{
public:
    IoError(int errnoValue, const std::string& text) : UserError(text), m_errno(errnoValue) {}
    int errnoValue() const { return m_errno; }

private:
    int m_errno;
};

// Whether a path names a file. Only "no such file" (and no link either) is Missing: a dangling
// link, a folder that cannot be searched or an I/O error is Unreachable, with the reason.
struct Presence
{
    enum class Kind { Present, Missing, Unreachable } kind;
    std::string reason;
};
Presence probe(const fs::path& path);

// The whole file; one larger than maxBytes is refused without reading it.
std::string readWhole(const fs::path& path, std::size_t maxBytes = SIZE_MAX);

// A whole file's bytes for reading. Large files are mapped rather than copied, which spares the
// memory and its first touch.
class FileBytes
{
public:
    explicit FileBytes(const fs::path& path);
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    std::string_view view() const { return m_view; }

private:
    std::string m_copy;
    void* m_map = nullptr;
    std::size_t m_mapSize = 0;
    std::string_view m_view;
};
// A whole file's bytes copied into memory of their own: unlike a mapping, later changes to the
// file never reach them. A large file is read by two threads at once, into large pages that no
// one fills with zeros first.
class OwnBytes
{
public:
    explicit OwnBytes(const fs::path& path);
    ~OwnBytes();
    OwnBytes(const OwnBytes&) = delete;
    OwnBytes& operator=(const OwnBytes&) = delete;
    std::string_view view() const { return m_view; }

private:
    std::string m_copy;
    void* m_block = nullptr;
    std::size_t m_blockSize = 0;
    std::string_view m_view;
};

// What reading an archive asks of the file system. The program reads the disk; a test hands in
// a double that fails where a real disk can (no memory, no thread, an I/O error).
class Reader
{
public:
    virtual ~Reader() = default;
    virtual Presence probe(const fs::path& path) const;
    virtual std::optional<double> modificationTime(const fs::path& path) const;
    virtual std::unique_ptr<OwnBytes> readAll(const fs::path& path) const;
};
// The real file system.
const Reader& disk();

// The file a chain of symbolic links ends at (which may not exist yet); path itself when it is
// no link.
fs::path resolveLinks(const fs::path& path);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a crash leaves the old or the new file, never a torn one.
void writeAtomically(const fs::path& path, const std::string& data);

// Writes a file through a temporary of its own beside it; commit() flushes it to disk and renames
// it over the target. A link is followed and stays a link; the file keeps its mode. Without a
// commit the target is untouched and the temporary removed.
class AtomicWriter
{
public:
    // With a backup, the file being replaced stays as "<name>.bak" beside it.
    enum class Backup { None, Keep };
    explicit AtomicWriter(const fs::path& path, Backup backup = Backup::None);
    // The file gets this mode (0600 for a file that holds a secret) whatever the old one was.
    AtomicWriter(const fs::path& path, Backup backup, unsigned mode);
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    void keepBackup();

    fs::path m_path;   // as the caller named it, for the messages
    fs::path m_target; // the file that gets replaced
    fs::path m_tmp;
    Backup m_backup;
    int m_fd = -1;
};

// Removes what saves of path killed half-way left behind, beside path and beside the file its
// links end at: their temporaries ("<name>.tmp-XXXXXX", and "<name>.bak.tmp-XXXXXX" of a copied
// backup) and staged backups ("<name>.bak-PID-N"). Nothing else, and no error: only the one
// process that writes path may call it, before its first save.
void removeSaveLeftovers(const fs::path& path);

// The name "<file name>.bak" beside the file a save of path replaces.
fs::path backupPath(const fs::path& path);

// Both paths reach the same existing file (through links or other names).
bool sameFile(const fs::path& a, const fs::path& b);
// a would replace b: the same file, or a name in b's folder that differs from b's only in case.
bool namesSameFile(const fs::path& a, const fs::path& b);

// A name that stays inside its folder: not empty, no separator, not "." or "..".
bool isPlainName(std::string_view nativeName);

void remove(const fs::path& path);

bool exists(const fs::path& path);
// Creates one folder level; false when it could not (a missing parent, no rights).
bool createFolder(const fs::path& path);
bool isFolder(const fs::path& path);
// Last modification as local OLE date-time; nullopt when the file is missing.
std::optional<double> modificationTime(const fs::path& path);
// A file system time (seconds and nanoseconds since 1970) as local OLE date-time.
double localOleTime(long long seconds, long nanoseconds);

// Renames folder/oldName to folder/newName unless another entry already answers to newName
// ignoring case (a change of case alone is allowed). False when the rename did not happen.
bool renameNoReplace(const fs::path& folder, const std::string& oldName, const std::string& newName);

// The entry of folder whose name equals name ignoring ASCII case (the exact name first).
std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& nativeName);

} // namespace files
