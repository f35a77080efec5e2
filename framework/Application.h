#pragma once

#include "Ref.h"

class FolderItem;
class MenuItem;

/// The application object. The version fields come from the build's project version.
class Application {
  public:
    virtual ~Application() = default;

    Ref<MenuItem> MenuBar;
    /// Quit when the last window closes, as desktop programs on Linux do.
    bool AutoQuit = true;

    const int32_t MajorVersion = WORDLOOM_VERSION_MAJOR;
    const int32_t MinorVersion = WORDLOOM_VERSION_MINOR;
    const int32_t BugVersion = WORDLOOM_VERSION_BUG;
    const int32_t NonReleaseVersion = WORDLOOM_VERSION_NONRELEASE;
    /// 0 development, 1 alpha, 2 beta, 3 final.
    const int32_t StageCode = WORDLOOM_STAGE_CODE;

    /// The running program's own file.
    Ref<FolderItem> ExecutableFile() const;
};

/// The registered application object, Nil before registration.
Ref<Application> _GetAppObject();
void _RuntimeRegisterAppObject(const Ref<Application>& app);
