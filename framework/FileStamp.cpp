#include "FileStamp.h"

#include <ctime>
#include <limits>
#include <sys/stat.h>
#include <sys/statfs.h>

namespace {

constexpr int64_t kNsPerSecond = 1'000'000'000;
constexpr int64_t kMostSeconds = std::numeric_limits<int64_t>::max() / kNsPerSecond - 1;

// File system magic numbers, as statfs gives them.
constexpr int64_t kCoarseFileSystems[] = {
    0x4d44,     // FAT
    0x2011BAB0, // exFAT
    0x6969,     // NFS
    0x517B,     // SMB
    0xFE534D42, // SMB2
    0xFF534D42, // CIFS
    0x65735546, // FUSE
    0x01021997, // 9P
    0x00C36400, // Ceph
    0x5346414F, // AFS
};

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

int64_t GrainOf(const struct statfs& fileSystem, const struct stat& status) {
    for (int64_t type : kCoarseFileSystems) {
        if (static_cast<int64_t>(fileSystem.f_type) == type)
            return FileStamp::kCoarseGrainNs;
    }
    // A file system that keeps whole seconds only (ext2 and ext3 with small inodes) shows it in every
    // time that it gives; the change time is always the kernel's own.
    if (status.st_mtim.tv_nsec == 0 && status.st_ctim.tv_nsec == 0)
        return kNsPerSecond;
    return TimerTickNs();
}

FileStamp StampOf(const struct stat& status, int64_t grainNs) {
    return FileStamp{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
                     static_cast<int64_t>(status.st_size), Nanoseconds(status.st_mtim),
                     Nanoseconds(status.st_ctim),          grainNs};
}

} // namespace

std::optional<FileStamp> FileStamp::Of(const std::filesystem::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    struct statfs fileSystem {};
    if (statfs(path.c_str(), &fileSystem) != 0)
        return StampOf(status, kCoarseGrainNs);
    return StampOf(status, GrainOf(fileSystem, status));
}

std::optional<FileStamp> FileStamp::OfOpen(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return std::nullopt;
    struct statfs fileSystem {};
    if (fstatfs(fd, &fileSystem) != 0)
        return StampOf(status, kCoarseGrainNs);
    return StampOf(status, GrainOf(fileSystem, status));
}

int64_t FileStamp::ClockNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}
