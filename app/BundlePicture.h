#pragma once

#include "Ref.h"

#include <functional>

class FolderItem;
class Picture;

/// One picture file of the application's Resources folder, read on first use. A picture once found
/// is kept for the life of the process; while it is not found, every call looks for it again, so a
/// file put in place later is picked up.
class BundlePicture {
public:
    /// `resources` gives the folder to look in; Nil there gives no picture.
    BundlePicture(String fileName, std::function<Ref<FolderItem>()> resources);

    /// The picture, or Nil when the file is missing or holds no readable image. Raises
    /// NilObjectException when the folder gives no item for the file name.
    Ref<Picture> Get();

private:
    String m_FileName;
    std::function<Ref<FolderItem>()> m_Resources;
    bool m_Called = false;
    Ref<Picture> m_Pic;
};
