#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>

/// What the file system tells of a file without reading it: which file it is, its size and when it
/// was last written or changed, to the nanosecond. A write, a replacement or a change of the file's
/// attributes gives another stamp, except a change in the same tick of the file system's clock as the
/// one before it, to the same size: see IsRacy.
struct FileStamp {
    /// The tick of the file systems that keep times to two seconds (FAT), or whose times come from
    /// another machine's clock (network and user-space file systems).
    static constexpr int64_t kCoarseGrainNs = 2'000'000'000;

    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    /// The tick at which the file's file system keeps its times; no part of the file's state.
    int64_t GrainNs = kCoarseGrainNs;

    bool operator==(const FileStamp& other) const {
        return SameContentAs(other) && ChangedNs == other.ChangedNs;
    }

    /// The same file, of the same size, last written at the same time: a rename changes the change
    /// time of the file that it moves, and nothing else.
    bool SameContentAs(const FileStamp& other) const {
        return Device == other.Device && Inode == other.Inode && Size == other.Size &&
               ModifiedNs == other.ModifiedNs;
    }

    /// True when the file was written or changed so shortly before `takenAtNs`, the moment the stamp
    /// was taken, that a later change within the same tick, to the same size, would leave the stamp as
    /// it is: such a stamp cannot tell that nobody wrote the file since, and only its words can. The
    /// change time counts too: a copy that keeps the times puts an old modification time back.
    bool IsRacy(int64_t takenAtNs) const { return std::max(ModifiedNs, ChangedNs) > takenAtNs - GrainNs; }

    /// The stamp of the file that the path names, through symbolic links; nullopt when there is none
    /// (or the file system will not say).
    static std::optional<FileStamp> Of(const std::filesystem::path& path);
    /// The stamp of an open file.
    static std::optional<FileStamp> OfOpen(int fd);
    /// The tick at which a file system of that type (as statfs gives it) keeps the times of a file last
    /// written and changed at those times.
    static int64_t GrainOn(int64_t fileSystemType, int64_t modifiedNs, int64_t changedNs);
    /// True for a file system that keeps a removed file which is still open in its folder, under a
    /// hidden name of its own, until it is closed: the user-space and network ones.
    static bool ShowsRemovedOpenFiles(int64_t fileSystemType);
    /// Now, on the clock that file times are taken from, for IsRacy.
    static int64_t ClockNs();
};
