#include "AtomicFile.h"

#include "FileOpening.h"
#include "ReplacedFile.h"
#include "RuntimeException.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kMaxWriteSize = 1 << 30;
constexpr int kMaxLinks = 40;
// Leaves room in a 255-byte file name for the dot, the marker and the random suffix.
constexpr size_t kMaxNameBytes = 200;
// Marks the temporary file as ours, so that nobody takes it for a file of their own.
constexpr std::string_view kMarker = ".wordloom-save-";
constexpr std::string_view kRandomPart = "XXXXXX";
// Another process removing a leftover may take a fresh name between its creation and its lock.
constexpr int kCreateAttempts = 10;

fs::path FolderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

String TemporaryPrefix(const fs::path& target) {
    return "." + target.filename().string().substr(0, kMaxNameBytes) + String(kMarker);
}

bool IsAsciiAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A save that is still being written holds the lock on its temporary file; only a file whose lock
// can be taken was left by a save that ended without finishing.
void RemoveIfAbandoned(const fs::path& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {};
    struct stat named {};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
        lstat(path.c_str(), &named) == 0 && SameFile(opened, named))
        unlink(path.c_str());
    close(fd);
}

void RemoveLeftovers(const fs::path& target) {
    const String prefix = TemporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator entry(FolderOf(target), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        String name = entry->path().filename().string();
        if (name.size() == prefix.size() + kRandomPart.size() && name.starts_with(prefix) &&
            AtomicFile::IsTemporaryName(name))
            RemoveIfAbandoned(entry->path());
    }
}

// False when another process removed the new file before it was locked; a file system without
// locks still saves, it only keeps its leftovers.
bool LockFresh(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    struct stat opened {};
    return fstat(fd, &opened) == 0 && opened.st_nlink > 0;
}

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

// The stamp of the file in place, when nobody wrote it since it was written here: a stamp taken
// after the rename could hold another program's write, of which the written words know nothing.
std::optional<FileStamp> Unmoved(const std::optional<FileStamp>& written,
                                 const std::optional<FileStamp>& now) {
    if (!written || !now || !written->SameContentAs(*now))
        return std::nullopt;
    return now;
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
        CheckWritable();
    }
    RemoveLeftovers(m_Target);
    CreateTemporary();
    m_Buffer.reserve(kBufferSize);
}

bool AtomicFile::IsTemporaryName(const String& name) {
    const size_t tail = kMarker.size() + kRandomPart.size();
    if (name.size() < 2 + tail || name[0] != '.')
        return false;
    if (std::string_view(name).substr(name.size() - tail, kMarker.size()) != kMarker)
        return false;
    return std::all_of(name.end() - static_cast<ptrdiff_t>(kRandomPart.size()), name.end(),
                       IsAsciiAlphanumeric);
}

// The rename would replace a file that the user may not write, and with it their protection; an
// in-place write would have been refused, and root may, as there.
void AtomicFile::CheckWritable() const {
    if (faccessat(AT_FDCWD, m_Target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT)
        return;
    FileOpening::Raise(m_Target, "may not write it", errno);
}

void AtomicFile::CreateTemporary() {
    const String pattern =
        (m_Target.parent_path() / (TemporaryPrefix(m_Target) + String(kRandomPart))).string();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        String name = pattern;
        int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            FileOpening::Raise(m_Target, "cannot make a temporary file beside it", errno);
        if (LockFresh(fd)) {
            m_Fd = fd;
            m_Temporary = name;
            return;
        }
        close(fd);
    }
    FileOpening::Raise(m_Target, "cannot make a temporary file beside it", EBUSY);
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

void AtomicFile::SetSize(int64_t size) {
    if (m_Fd < 0)
        FileOpening::Raise(m_Target, "cannot write", EBADF);
    Flush();
    if (ftruncate(m_Fd, size) != 0)
        Fail("cannot write", errno);
    m_Size = size;
}

// Not given up on a failure, as Write is: other threads may still be writing their parts.
void AtomicFile::WriteAt(int64_t position, const char* bytes, size_t size) const {
    if (int error = WriteAll(m_Fd, bytes, size, position))
        FileOpening::Raise(m_Target, "cannot write", error);
}

CommitOutcome AtomicFile::Commit(const CommitHooks& hooks) {
    if (m_Fd < 0)
        FileOpening::Raise(m_Target, "cannot commit", EBADF);
    Flush();
    // Only the data: the mode is set after, and the times are no part of what a reader finds.
    if (fdatasync(m_Fd) != 0)
        Fail("cannot flush it to disk", errno);
    SetMode();
    const std::optional<FileStamp> written = FileStamp::OfOpen(m_Fd);
    const bool exact = WaitOutTick(written);
    if (hooks.MayReplace && !hooks.MayReplace()) {
        Discard();
        return CommitOutcome::NotReplaced;
    }
    // Still open, so that its lock keeps it from being taken for a leftover until it has its place;
    // the sync has reported whatever the close could.
    Ref<ReplacedFile> replaced;
    if (!Replace(hooks, replaced)) {
        Discard();
        return CommitOutcome::PutBack;
    }
    const std::optional<FileStamp> placed = Unmoved(written, FileStamp::OfOpen(m_Fd));
    close(m_Fd);
    m_Fd = -1;
    if (hooks.Placed)
        hooks.Placed(exact ? placed : std::nullopt, replaced);
    SyncFolder();
    return CommitOutcome::Placed;
}

// A write in the tick of the file's last write, to the same size, would leave its stamp as it is;
// once that tick has passed, every write shows, and the stamp taken after the rename is proof of the
// words written. The data sync mostly takes that long already. The rename changes the change time
// too, but a change hidden in its tick would have to put back this very modification time. On a
// file system of coarser times the save does not wait, and the next save reads the file instead.
bool AtomicFile::WaitOutTick(const std::optional<FileStamp>& written) const {
    constexpr int64_t kLongestWaitNs = 20'000'000;
    const int64_t now = FileStamp::ClockNs();
    if (!written || written->GrainNs > kLongestWaitNs || written->ModifiedNs > now)
        return false;
    const int64_t wait = written->GrainNs - (now - written->ModifiedNs);
    if (wait > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
    return true;
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

// False when the file that the target was may not be removed: it is then in its place.
bool AtomicFile::Replace(const CommitHooks& hooks, Ref<ReplacedFile>& replaced) {
    if (!m_Overwrite) {
        // link fails if the name was taken since the stream was made, where rename would replace it.
        if (link(m_Temporary.c_str(), m_Target.c_str()) != 0)
            Fail("cannot create it", errno);
        unlink(m_Temporary.c_str());
        m_Temporary.clear();
        return true;
    }
    const int64_t renamedAtNs = FileStamp::ClockNs();
    // Where the file system cannot exchange two names, or the target is gone, it is renamed over.
    const bool exchanged =
        renameat2(AT_FDCWD, m_Temporary.c_str(), AT_FDCWD, m_Target.c_str(), RENAME_EXCHANGE) == 0;
    if (!(exchanged ? TakeOut(hooks, replaced) : RenameIn(hooks, replaced)))
        return false;
    m_Temporary.clear();
    if (replaced)
        replaced->NoteReplaced(renamedAtNs);
    return true;
}

// The replaced file now bears the temporary name, and is opened before the name goes.
bool AtomicFile::TakeOut(const CommitHooks& hooks, Ref<ReplacedFile>& replaced) {
    replaced = ReplacedFile::Open(m_Temporary);
    if (hooks.MayRemoveReplaced && !hooks.MayRemoveReplaced(replaced)) {
        PutBack();
        return false;
    }
    unlink(m_Temporary.c_str());
    return true;
}

// The file replaced is then the one that the name gives just before the rename; nothing can put back
// a file that another program renames into place after that.
bool AtomicFile::RenameIn(const CommitHooks& hooks, Ref<ReplacedFile>& replaced) {
    replaced = ReplacedFile::Open(m_Target);
    struct stat there {};
    const bool something = replaced || lstat(m_Target.c_str(), &there) == 0;
    if (something && hooks.MayRemoveReplaced && !hooks.MayRemoveReplaced(replaced))
        return false;
    if (rename(m_Temporary.c_str(), m_Target.c_str()) != 0)
        Fail("cannot replace it", errno);
    return true;
}

// Exchanges the names again, after which the temporary name leads to the new file, for Discard to
// remove: unless another program renamed yet another file over the target meanwhile, which is not
// removed here.
void AtomicFile::PutBack() {
    if (renameat2(AT_FDCWD, m_Temporary.c_str(), AT_FDCWD, m_Target.c_str(), RENAME_EXCHANGE) != 0) {
        m_Temporary.clear();
        Fail("cannot put back the file it replaced", errno);
    }
    struct stat named {};
    struct stat own {};
    if (lstat(m_Temporary.c_str(), &named) != 0 || fstat(m_Fd, &own) != 0 || !SameFile(named, own))
        m_Temporary.clear();
}

void AtomicFile::SyncFolder() {
    fs::path folder = FolderOf(m_Target);
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
    // Removed while its lock is still held, so that no other save takes it for a leftover of its own.
    if (!m_Temporary.empty())
        unlink(m_Temporary.c_str());
    m_Temporary.clear();
    if (m_Fd >= 0)
        close(m_Fd);
    m_Fd = -1;
    m_Buffer.clear();
}

int WriteAll(int fd, const char* bytes, size_t size, std::optional<int64_t> position) {
    while (size > 0) {
        const size_t chunk = std::min(size, kMaxWriteSize);
        ssize_t written = position ? pwrite(fd, bytes, chunk, *position) : ::write(fd, bytes, chunk);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        bytes += written;
        size -= static_cast<size_t>(written);
        if (position)
            *position += written;
    }
    return 0;
}
