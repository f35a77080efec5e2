#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

/// What the file system tells of a file without reading it: which file it is, its size and when it
/// was last written or changed, to the nanosecond. A write, a replacement or a change of the file's
/// attributes gives another stamp.
struct FileStamp {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;

    bool operator==(const FileStamp&) const = default;

    /// The stamp of the file that the path names, through symbolic links; nullopt when there is none
    /// (or the file system will not say).
    static std::optional<FileStamp> Of(const std::filesystem::path& path);
};
