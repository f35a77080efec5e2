#include "ReplacedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

Ref<ReplacedFile> ReplacedFile::Open(const std::filesystem::path& path) {
    // Whatever another program put there may be a FIFO or a link; neither holds words of the file.
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    Ref<ReplacedFile> file = New<ReplacedFile>(fd);
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    return file;
}

ReplacedFile::~ReplacedFile() {
    close(m_Fd);
}

std::filesystem::path ReplacedFile::Path() const {
    return "/proc/self/fd/" + std::to_string(m_Fd);
}

std::optional<String> ReplacedFile::Start(size_t count) const {
    String bytes(count, '\0');
    ssize_t read = -1;
    do
        read = pread(m_Fd, bytes.data(), count, 0);
    while (read < 0 && errno == EINTR);
    if (read < 0)
        return std::nullopt;
    bytes.resize(static_cast<size_t>(read));
    return bytes;
}

bool ReplacedFile::ShowsInFolder() const {
    struct statfs fileSystem {};
    return fstatfs(m_Fd, &fileSystem) == 0 &&
           FileStamp::ShowsRemovedOpenFiles(static_cast<int64_t>(fileSystem.f_type));
}

void ReplacedFile::NoteReplaced(int64_t renamedAtNs) {
    m_RenamedAtNs = renamedAtNs;
    m_WhenReplaced = FileStamp::OfOpen(m_Fd);
}

bool ReplacedFile::MayHaveChanged() const {
    if (!m_WhenReplaced || m_WhenReplaced->ModifiedNs > m_RenamedAtNs - m_WhenReplaced->GrainNs)
        return true;
    return FileStamp::OfOpen(m_Fd) != m_WhenReplaced;
}
