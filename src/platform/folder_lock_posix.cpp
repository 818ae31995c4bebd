#include "folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(const std::filesystem::path& lockFile)
{
    m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        m_fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC); // flock needs no write access
    if (m_fd < 0)
        return;
    int rc;
    do
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0)
        m_state = State::Held;
    else if (errno == EWOULDBLOCK)
        m_state = State::HeldByOther;
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
