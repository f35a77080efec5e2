#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

/// What the file system tells of a file without reading it: which file it is, its size and when it
/// was last written or changed, to the nanosecond. A write, a replacement or a change of the file's
/// attributes gives another stamp, except a write in the same tick of the file system's clock as the
/// one before it, to the same size: see IsRacy.
struct FileStamp {
    /// The coarsest tick at which a file system in use keeps a file's times (two seconds); most
    /// keep them to the kernel's timer tick, a few milliseconds.
    static constexpr int64_t kGrainNs = 2'000'000'000;

    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;

    bool operator==(const FileStamp&) const = default;

    /// True when the file was written so shortly before `takenAtNs`, the moment the stamp was taken,
    /// that a later write within the same tick, to the same size, would leave the stamp as it is:
    /// such a stamp cannot tell that nobody wrote the file since, and only its words can.
    bool IsRacy(int64_t takenAtNs) const { return ModifiedNs + kGrainNs > takenAtNs; }

    /// The stamp of the file that the path names, through symbolic links; nullopt when there is none
    /// (or the file system will not say).
    static std::optional<FileStamp> Of(const std::filesystem::path& path);
    /// The stamp of an open file.
    static std::optional<FileStamp> OfOpen(int fd);
    /// Now, on the clock that file times are taken from, for IsRacy.
    static int64_t ClockNs();
};
