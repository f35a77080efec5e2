#include "AtomicFile.h"

#include "FileOpening.h"

#include "RuntimeException.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kMaxWriteSize = 1 << 30;
constexpr int kMaxLinks = 40;
// Leaves room in a 255-byte file name for the dot and the random suffix.
constexpr size_t kMaxNameBytes = 200;

// A save through a symbolic link replaces the file it points to and keeps the link.
fs::path ResolveLinks(fs::path path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        fs::path target = fs::read_symlink(path, error);
        if (error)
            FileOpening::Raise(path, "cannot read the link", error.value());
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    FileOpening::Raise(path, "cannot follow the link", ELOOP);
}

// umask can be read only by setting it, which would race with any other thread that makes a file;
// the kernel reports it without that.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    }
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

AtomicFile::AtomicFile(const fs::path& target, bool overwrite)
    : m_Target(ResolveLinks(target)), m_Overwrite(overwrite) {
    struct stat old {};
    if (stat(m_Target.c_str(), &old) == 0) {
        // Renaming over a folder fails late; over a device it would replace the device itself.
        if (!S_ISREG(old.st_mode))
            FileOpening::Raise(m_Target, "cannot replace it", S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        if (!overwrite)
            FileOpening::Raise(m_Target, "cannot replace it", EEXIST);
        m_TargetExisted = true;
        m_TargetMode = old.st_mode & 07777;
        m_TargetOwner = old.st_uid;
        m_TargetGroup = old.st_gid;
    }
    String name = "." + m_Target.filename().string().substr(0, kMaxNameBytes) + "-XXXXXX";
    String pattern = (m_Target.parent_path() / name).string();
    m_Fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (m_Fd < 0)
        FileOpening::Raise(m_Target, "cannot make a temporary file beside it", errno);
    m_Temporary = pattern;
    m_Buffer.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Write(const char* bytes, size_t size) {
    if (m_Fd < 0)
        FileOpening::Raise(m_Target, "cannot write", EBADF);
    if (m_Buffer.size() + size > kBufferSize)
        Flush();
    if (size >= kBufferSize)
        WriteThrough(bytes, size);
    else
        m_Buffer.append(bytes, size);
    m_Size += static_cast<int64_t>(size);
}

void AtomicFile::Commit() {
    if (m_Fd < 0)
        FileOpening::Raise(m_Target, "cannot commit", EBADF);
    Flush();
    if (fsync(m_Fd) != 0)
        Fail("cannot flush it to disk", errno);
    SetMode();
    int fd = m_Fd;
    m_Fd = -1;
    if (close(fd) != 0)
        Fail("cannot close it", errno);
    Replace();
    SyncFolder();
}

void AtomicFile::Flush() {
    if (m_Buffer.empty())
        return;
    WriteThrough(m_Buffer.data(), m_Buffer.size());
    m_Buffer.clear();
}

void AtomicFile::WriteThrough(const char* bytes, size_t size) {
    if (int error = WriteAll(m_Fd, bytes, size))
        Fail("cannot write", error);
}

void AtomicFile::SetMode() {
    KeepOwner();
    mode_t mode = m_TargetExisted ? m_TargetMode : (0666 & ~CurrentUmask());
    if (fchmod(m_Fd, mode) != 0)
        Fail("cannot set its permissions", errno);
}

void AtomicFile::KeepOwner() {
    if (!m_TargetExisted || (m_TargetOwner == geteuid() && m_TargetGroup == getegid()))
        return;
    // Only root may give the file to another owner; anyone else keeps the new file as their own.
    if (fchown(m_Fd, m_TargetOwner, m_TargetGroup) != 0)
        return;
}

void AtomicFile::Replace() {
    if (m_Overwrite) {
        if (rename(m_Temporary.c_str(), m_Target.c_str()) != 0)
            Fail("cannot replace it", errno);
    } else {
        // link fails if the name was taken since the stream was made, where rename would replace it.
        if (link(m_Temporary.c_str(), m_Target.c_str()) != 0)
            Fail("cannot create it", errno);
        unlink(m_Temporary.c_str());
    }
    m_Temporary.clear();
}

void AtomicFile::SyncFolder() {
    fs::path folder = m_Target.parent_path().empty() ? fs::path(".") : m_Target.parent_path();
    // A folder that may be written but not read cannot be opened; the rename is then as durable as
    // the file system makes it by itself.
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    int result = fsync(fd);
    int error = errno;
    close(fd);
    if (result != 0)
        FileOpening::Raise(m_Target, "cannot flush its folder to disk", error);
}

void AtomicFile::Fail(const String& what, int error) {
    Discard();
    FileOpening::Raise(m_Target, what, error);
}

void AtomicFile::Discard() {
    if (m_Fd >= 0)
        close(m_Fd);
    m_Fd = -1;
    if (!m_Temporary.empty())
        unlink(m_Temporary.c_str());
    m_Temporary.clear();
    m_Buffer.clear();
}

int WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, bytes, std::min(size, kMaxWriteSize));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return 0;
}
