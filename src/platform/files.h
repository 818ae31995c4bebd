#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file access. Failures throw UserError with the I/O error text the user sees.
namespace files {

namespace fs = std::filesystem;

// A Windows-1252 path text as a path of the (UTF-8) file system, and back.
fs::path fromText(const std::string& text);
std::string toText(const fs::path& path);

std::string ioErrorText(int errnoValue);

std::string readWhole(const fs::path& path);

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
// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a crash leaves the old or the new file, never a torn one.
void writeAtomically(const fs::path& path, const std::string& data);

// Writes a file through a temporary beside it; commit() flushes it to disk and renames it over
// the target. Without a commit the target is untouched and the temporary removed.
class AtomicWriter
{
public:
    explicit AtomicWriter(const fs::path& path);
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    fs::path m_path;
    fs::path m_tmp;
    int m_fd = -1;
};

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
