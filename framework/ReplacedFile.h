#pragma once

#include "FileStamp.h"
#include "Ref.h"
#include "Strings.h"

#include <filesystem>
#include <optional>

/// A file that a save put out of its place, kept open: another program that holds it open too may
/// still be writing to it. It has no name in its folder any more; Path gives the one under which the
/// process's own descriptor table shows it, through which it can be read and stamped like any file.
class ReplacedFile {
public:
    /// The file that the path names, about to be replaced; Nil when no regular file can be opened there.
    static Ref<ReplacedFile> Open(const std::filesystem::path& path);

    explicit ReplacedFile(int fd) : m_Fd(fd) {}
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    std::filesystem::path Path() const;
    /// Up to `count` bytes from the file's start; nullopt when it cannot be read.
    std::optional<String> Start(size_t count) const;
    /// True where the file system keeps the file in its folder, under a hidden name, for as long as it
    /// is held open: there it must be let go soon, or other programs take it for a file of the folder.
    bool ShowsInFolder() const;
    /// Notes the file's stamp once no name in its folder leads to it any more, after a rename made
    /// just after `renamedAtNs`: losing its name changed its change time.
    void NoteReplaced(int64_t renamedAtNs);
    /// The file's stamp as it was put out of place.
    const std::optional<FileStamp>& StampWhenReplaced() const { return m_WhenReplaced; }
    /// False only when nobody can have written the file since it was put out of place. The rename
    /// changed its change time; a write in that tick still shows in the modification time, unless
    /// the file was last written within a tick before the rename.
    bool MayHaveChanged() const;

private:
    int m_Fd;
    int64_t m_RenamedAtNs = 0;
    std::optional<FileStamp> m_WhenReplaced;
};
