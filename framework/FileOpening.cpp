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
    int fd = open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        Raise(path, "cannot open it", errno);
    struct stat status {};
    int error = fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    if (error == 0)
        return fd;
    close(fd);
    Raise(path, "cannot open it", error);
}

} // namespace FileOpening
