#pragma once

#include <filesystem>

// An advisory lock on a data folder, held while the object lives. The system drops it with the
// process, so a crash never leaves the folder locked.
class FolderLock
{
public:
    enum class State { Held, HeldByOther, Unavailable };

    // Takes the lock on the file lockFile (created when missing) without waiting.
    explicit FolderLock(const std::filesystem::path& lockFile);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Unavailable: the lock file cannot be opened (a read-only folder), so no copy can write there.
    State state() const { return m_state; }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
};
