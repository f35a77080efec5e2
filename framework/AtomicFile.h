#pragma once

#include "CommitHooks.h"
#include "Strings.h"

#include <filesystem>
#include <optional>
#include <sys/types.h>

/// A file written beside its target under a temporary name and renamed over the target on Commit,
/// so that the target is either the old file or the whole new one. Destroyed uncommitted, it
/// removes the temporary file; one that a killed process left is removed by the next AtomicFile
/// of the same target.
class AtomicFile {
public:
    /// Raises IOException when the temporary file cannot be made, when `overwrite` is false and
    /// the target exists, or when the target exists and the user may not write it (EACCES).
    AtomicFile(const std::filesystem::path& target, bool overwrite);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Raises IOException when writing fails; the file is then given up.
    void Write(const char* bytes, size_t size);
    /// Makes the file that long, for parts written at their places with WriteAt.
    void SetSize(int64_t size);
    /// Writes the bytes at that place of a file made long enough with SetSize. Several threads may
    /// write at once, to places that do not overlap. Raises IOException when writing fails.
    void WriteAt(int64_t position, const char* bytes, size_t size) const;
    /// Raises IOException when any step fails; the target then stays as it was.
    void Commit() { Commit({}); }
    /// As Commit, but gives the new file up when one of the hooks' questions says no. The file that
    /// the target was is exchanged with the new one, so that even one that another program renamed
    /// into place just before is handed over, and can be put back, where the file system can exchange
    /// two names; elsewhere the target is opened just before the rename.
    CommitOutcome Commit(const CommitHooks& hooks);
    int64_t Size() const { return m_Size; }

    /// Whether a folder entry of this name is the temporary file of a save, never a file of the
    /// user's.
    static bool IsTemporaryName(const String& name);

private:
    void CheckWritable() const;
    void CreateTemporary();
    void Flush();
    void WriteThrough(const char* bytes, size_t size);
    void SetMode();
    void KeepOwner();
    bool WaitOutTick(const std::optional<FileStamp>& written) const;
    bool Replace(const CommitHooks& hooks, Ref<ReplacedFile>& replaced);
    bool TakeOut(const CommitHooks& hooks, Ref<ReplacedFile>& replaced);
    bool RenameIn(const CommitHooks& hooks, Ref<ReplacedFile>& replaced);
    void PutBack();
    void SyncFolder();
    [[noreturn]] void Fail(const String& what, int error);
    void Discard();

    std::filesystem::path m_Target;
    std::filesystem::path m_Temporary;
    bool m_Overwrite;
    bool m_TargetExisted = false;
    mode_t m_TargetMode = 0;
    uid_t m_TargetOwner = 0;
    gid_t m_TargetGroup = 0;
    int m_Fd = -1;
    int64_t m_Size = 0;
    String m_Buffer;
};

/// Writes all the bytes, retrying partial writes; 0, or the errno of the write that failed. Given a
/// position, writes there and leaves the file's offset alone, so that several threads may write at once.
int WriteAll(int fd, const char* bytes, size_t size, std::optional<int64_t> position = std::nullopt);
