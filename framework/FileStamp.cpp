#include "FileStamp.h"

#include <ctime>
#include <limits>
#include <sys/stat.h>
#include <sys/statfs.h>

namespace {

constexpr int64_t kNsPerSecond = 1'000'000'000;
constexpr int64_t kMostSeconds = std::numeric_limits<int64_t>::max() / kNsPerSecond - 1;

struct FileSystemKind {
    int64_t type;
    /// Whether a removed file that is still open keeps a hidden name of the file system's own in its
    /// folder until it is closed.
    bool showsRemovedOpenFiles;
};

// File system magic numbers, as statfs gives them, of the file systems that keep times to two seconds
// or take them from another machine's clock. Those in user space and on the network keep a removed
// file that is still open in sight, since their server cannot be told that it is only held.
constexpr FileSystemKind kCoarseFileSystems[] = {
    {0x4d44, false},     // FAT
    {0x2011BAB0, false}, // exFAT
    {0x6969, true},      // NFS
    {0x517B, true},      // SMB
    {0xFE534D42, true},  // SMB2
    {0xFF534D42, true},  // CIFS
    {0x65735546, true},  // FUSE
    {0x01021997, true},  // 9P
    {0x00C36400, true},  // Ceph
    {0x5346414F, true},  // AFS
};

const FileSystemKind* CoarseKind(int64_t fileSystemType) {
    for (const FileSystemKind& kind : kCoarseFileSystems) {
        if (kind.type == fileSystemType)
            return &kind;
    }
    return nullptr;
}

// A time past the year 2262 is held as the last one that fits.
int64_t Nanoseconds(const timespec& time) {
    if (time.tv_sec > kMostSeconds)
        return std::numeric_limits<int64_t>::max();
    if (time.tv_sec < -kMostSeconds)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(time.tv_sec) * kNsPerSecond + time.tv_nsec;
}

// Local file systems take a file's times from the kernel's coarse clock, which moves once a timer tick.
int64_t TimerTickNs() {
    static const int64_t tick = [] {
        constexpr int64_t kLongestTick = 10'000'000;
        timespec resolution{};
        if (clock_getres(CLOCK_REALTIME_COARSE, &resolution) != 0)
            return kLongestTick;
        return std::max<int64_t>(1, Nanoseconds(resolution));
    }();
    return tick;
}

FileStamp StampOf(const struct stat& status, const struct statfs* fileSystem) {
    FileStamp stamp{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
                    static_cast<int64_t>(status.st_size), Nanoseconds(status.st_mtim),
                    Nanoseconds(status.st_ctim)};
    if (fileSystem)
        stamp.GrainNs =
            FileStamp::GrainOn(static_cast<int64_t>(fileSystem->f_type), stamp.ModifiedNs, stamp.ChangedNs);
    return stamp;
}

} // namespace

std::optional<FileStamp> FileStamp::Of(const std::filesystem::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    struct statfs fileSystem {};
    return StampOf(status, statfs(path.c_str(), &fileSystem) == 0 ? &fileSystem : nullptr);
}

std::optional<FileStamp> FileStamp::OfOpen(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return std::nullopt;
    struct statfs fileSystem {};
    return StampOf(status, fstatfs(fd, &fileSystem) == 0 ? &fileSystem : nullptr);
}

int64_t FileStamp::GrainOn(int64_t fileSystemType, int64_t modifiedNs, int64_t changedNs) {
    if (CoarseKind(fileSystemType))
        return kCoarseGrainNs;
    // A file system that keeps whole seconds only (ext2 and ext3 with small inodes) shows it in every
    // time that it gives; the change time is always the kernel's own.
    if (modifiedNs % kNsPerSecond == 0 && changedNs % kNsPerSecond == 0)
        return kNsPerSecond;
    return TimerTickNs();
}

bool FileStamp::ShowsRemovedOpenFiles(int64_t fileSystemType) {
    const FileSystemKind* kind = CoarseKind(fileSystemType);
    return kind && kind->showsRemovedOpenFiles;
}

int64_t FileStamp::ClockNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}
