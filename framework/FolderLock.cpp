#include "FolderLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

// Another copy holds the lock only while it saves, never while it waits for its user.
constexpr auto kLongestWait = std::chrono::seconds(10);
constexpr auto kPoll = std::chrono::milliseconds(2);

bool Lock(int fd) {
    const auto end = std::chrono::steady_clock::now() + kLongestWait;
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
}

} // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (!Lock(fd)) {
        close(fd);
        return;
    }
    m_Fd = fd;
}

FolderLock::~FolderLock() {
    // Closing the folder's only descriptor releases the lock.
    if (m_Fd >= 0)
        close(m_Fd);
}
