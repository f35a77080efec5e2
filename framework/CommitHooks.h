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
    /// Told of the file as soon as it is in place, before its folder is flushed to disk, which may
    /// still fail and raise: its stamp, which shows every later change to the file (nullopt where it
    /// cannot), and the file that it replaced, still open (Nil where there was none).
    std::function<void(std::optional<FileStamp> stamp, Ref<ReplacedFile> replaced)> Placed;
};
