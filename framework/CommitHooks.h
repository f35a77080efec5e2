#pragma once

#include "FileStamp.h"
#include "Ref.h"

#include <functional>
#include <optional>

class ReplacedFile;

/// What a commit that puts a file in place of another asks and tells the code that saves through it.
struct CommitHooks {
    /// Asked just before the rename; false gives the file up and leaves the target as it is.
    std::function<bool()> MayReplace;
    /// Asked of the file that the rename put out of place while it still has a name (Nil when it would
    /// not open as a regular file); false puts it back in place, as it was, and gives the new file up.
    std::function<bool(const Ref<ReplacedFile>& replaced)> MayRemoveReplaced;
    /// Told of the file as soon as it is in place, before its folder is flushed to disk, which may
    /// still fail and raise: its stamp, which shows every later change to the file (nullopt where it
    /// cannot), and the file that it replaced, still open (Nil where there was none).
    std::function<void(std::optional<FileStamp> stamp, Ref<ReplacedFile> replaced)> Placed;
};

/// How a commit with hooks ended.
enum class CommitOutcome {
    /// The new file is in place.
    Placed,
    /// MayReplace said no: the target was not touched.
    NotReplaced,
    /// MayRemoveReplaced said no: the file that the rename put out of place is back.
    PutBack,
};
