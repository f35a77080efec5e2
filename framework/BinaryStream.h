#pragma once

#include "CommitHooks.h"
#include "Ref.h"
#include "Strings.h"

#include <memory>

class FolderItem;

/// A stream of bytes over a file. A stream made by Create writes a temporary file beside its target,
/// and only Commit puts it in place: releasing it uncommitted leaves the old file untouched.
class BinaryStream {
public:
    ~BinaryStream();
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    /// Raises NilObjectException for a Nil file and IOException when it cannot be created.
    static Ref<BinaryStream> Create(const Ref<FolderItem>& file, bool overwrite);
    static Ref<BinaryStream> Open(const Ref<FolderItem>& file, bool write);

    int64_t Length() const;
    /// For a stream made by Create: makes the file that long, for parts written with WriteAt.
    void SetSize(int64_t size);
    /// Up to `count` bytes from the current position; raises IOException on a read error.
    String Read(int64_t count);
    /// Raises IOException when writing fails.
    void Write(const String& bytes);
    /// For a stream made by Create: writes the bytes at that place of a file made long enough.
    /// Several threads may write at once, to places that do not overlap.
    void WriteAt(int64_t position, std::string_view bytes) const;
    /// Flushes the written bytes to disk and renames them over the target (through a symbolic link,
    /// its target), keeping the target's permissions. Raises IOException when any step fails.
    void Commit();
    /// For a stream made by Create: as AtomicFile::Commit with its hooks.
    CommitOutcome Commit(const CommitHooks& hooks);

    struct Private;
    explicit BinaryStream(std::unique_ptr<Private> p);

private:
    std::unique_ptr<Private> d;
};
