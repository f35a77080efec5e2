#pragma once

#include "Ref.h"

class FolderItem;
class Picture;

/// The pictures of the user interface, each read from its file in the application's Resources
/// folder on first use and kept once found; Nil while the file is missing or unreadable.
Ref<Picture> add();
/// Named with a trailing underscore because `delete` is a C++ keyword.
Ref<Picture> delete_();
Ref<Picture> edit();
Ref<Picture> save();
Ref<Picture> abouticon();
Ref<Picture> abouticonmask();

/// The application's Resources folder, whether or not it exists: the folder "Resources" beside the
/// folder of the executable. NilObjectException when there is no executable file or it has no
/// grandparent folder.
Ref<FolderItem> _GetApplicationBundleResources();
/// The same, for the given executable file.
Ref<FolderItem> _ApplicationBundleResourcesOf(const Ref<FolderItem>& executable);
