#include "BundlePicture.h"

#include "FolderItem.h"
#include "Picture.h"

#include <utility>

BundlePicture::BundlePicture(String fileName, std::function<Ref<FolderItem>()> resources)
    : m_FileName(std::move(fileName)), m_Resources(std::move(resources)) {}

Ref<Picture> BundlePicture::Get() {
    if (!m_Called) {
        m_Called = true;
        m_Pic = nullptr;
    }
    if (m_Pic)
        return m_Pic;
    Ref<FolderItem> folder = m_Resources();
    if (!folder)
        return m_Pic;
    Ref<FolderItem> file = folder->Child(m_FileName);
    m_Pic = file->OpenAsPicture();
    return m_Pic;
}
