#include "BundlePictures.h"

#include "Application.h"
#include "BundlePicture.h"
#include "FolderItem.h"

Ref<Picture> add() {
    static BundlePicture picture("add.png", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<Picture> delete_() {
    static BundlePicture picture("delete.png", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<Picture> edit() {
    static BundlePicture picture("edit.png", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<Picture> save() {
    static BundlePicture picture("save.png", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<Picture> abouticon() {
    static BundlePicture picture("abouticon.jpg", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<Picture> abouticonmask() {
    static BundlePicture picture("abouticonmask.jpg", _GetApplicationBundleResources);
    return picture.Get();
}

Ref<FolderItem> _GetApplicationBundleResources() {
    return _ApplicationBundleResourcesOf(_GetAppObject()->ExecutableFile());
}

Ref<FolderItem> _ApplicationBundleResourcesOf(const Ref<FolderItem>& executable) {
    return executable->Parent()->Parent()->Child("Resources");
}
