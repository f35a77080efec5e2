#include "FileOpening.h"

#include "RuntimeException.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace FileOpening {

void Raise(const std::filesystem::path& path, const String& what, int error) {
    throw IOException(path.string() + ": " + what + ": " + std::generic_category().message(error));
}

int OpenExisting(const std::filesystem::path& path, bool write) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer, which may never come.
    int fd = open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        Raise(path, "cannot open it", errno);
    auto fail = [&](const String& what, int error) {
        close(fd);
        Raise(path, what, error);
    };
    struct stat status {};
    if (fstat(fd, &status) != 0)
        fail("cannot open it", errno);
    if (S_ISDIR(status.st_mode))
        fail("cannot open it", EISDIR);
    // A FIFO, a device or a socket would block a read, or never end.
    if (!S_ISREG(status.st_mode))
        fail("cannot open it, as it is not a regular file", EINVAL);
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        fail("cannot open it", errno);
    return fd;
}

} // namespace FileOpening
