#include "FolderItem.h"

#include "BinaryStream.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

bool IsSingleEntryName(const String& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == String::npos &&
           name.find('\0') == String::npos;
}

} // namespace

FolderItem::FolderItem(fs::path path) : m_Path(std::move(path)) {
    // "/a/b/" names the same entry as "/a/b"; without the slash its name and parent come out right.
    while (m_Path.has_relative_path() && !m_Path.has_filename())
        m_Path = m_Path.parent_path();
}

Ref<FolderItem> FolderItem::Child(const String& name) const {
    if (!IsSingleEntryName(name))
        return nullptr;
    return New<FolderItem>(m_Path / name);
}

Ref<FolderItem> FolderItem::Parent() const {
    fs::path parent = m_Path.parent_path();
    if (parent.empty() || parent == m_Path)
        return nullptr;
    return New<FolderItem>(parent);
}

bool FolderItem::Exists() const {
    std::error_code error;
    return fs::exists(m_Path, error);
}

bool FolderItem::Directory() const {
    std::error_code error;
    return fs::is_directory(m_Path, error);
}

String FolderItem::Name() const {
    return m_Path.filename().string();
}

int64_t FolderItem::Length() const {
    std::error_code error;
    if (!fs::is_regular_file(m_Path, error))
        return 0;
    auto size = fs::file_size(m_Path, error);
    return error ? 0 : static_cast<int64_t>(size);
}

int64_t FolderItem::Count() const {
    m_Entries = ListEntries();
    m_Listed = true;
    return static_cast<int64_t>(m_Entries.size());
}

Ref<FolderItem> FolderItem::Item(int64_t index) const {
    if (!m_Listed)
        Count();
    if (index < 1 || index > static_cast<int64_t>(m_Entries.size()))
        return nullptr;
    return New<FolderItem>(m_Path / m_Entries[static_cast<size_t>(index - 1)]);
}

std::vector<String> FolderItem::ListEntries() const {
    std::vector<String> names;
    std::error_code error;
    for (fs::directory_iterator it(m_Path, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool FolderItem::Delete() const {
    std::error_code error;
    return fs::remove(m_Path, error);
}

Ref<BinaryStream> FolderItem::OpenAsBinaryFile(bool write) const {
    try {
        return BinaryStream::Open(New<FolderItem>(m_Path), write);
    } catch (const IOException&) {
        return nullptr;
    }
}

Ref<TextInputStream> FolderItem::OpenAsTextFile() const {
    try {
        return TextInputStream::Open(New<FolderItem>(m_Path));
    } catch (const IOException&) {
        return nullptr;
    }
}

Ref<TextOutputStream> FolderItem::CreateTextFile() const {
    try {
        return TextOutputStream::Create(New<FolderItem>(m_Path));
    } catch (const IOException&) {
        return nullptr;
    }
}
