#include "ReplacedFile.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
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

void ReplacedFile::NoteReplaced(int64_t renamedAtNs) {
    m_RenamedAtNs = renamedAtNs;
    m_WhenReplaced = FileStamp::OfOpen(m_Fd);
}

bool ReplacedFile::MayHaveChanged() const {
    if (!m_WhenReplaced || m_WhenReplaced->ModifiedNs > m_RenamedAtNs - m_WhenReplaced->GrainNs)
        return true;
    return FileStamp::OfOpen(m_Fd) != m_WhenReplaced;
}
