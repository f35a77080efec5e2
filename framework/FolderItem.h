#pragma once

#include "Ref.h"

#include <filesystem>
#include <vector>

class BinaryStream;
class TextInputStream;
class TextOutputStream;
class Picture;

/// A reference to a file or folder, which need not exist.
class FolderItem : public std::enable_shared_from_this<FolderItem> {
  public:
    explicit FolderItem(std::filesystem::path path);

    /// The entry of that name in this folder, whether or not it exists; Nil for a name that is no
    /// single entry ("", ".", "..", or one holding "/").
    Ref<FolderItem> Child(const String& name) const;
    /// Nil for the root.
    Ref<FolderItem> Parent() const;
    /// Follows symbolic links: a dangling link does not exist.
    bool Exists() const;
    bool Directory() const;
    String Name() const;
    /// Size in bytes; 0 for a folder or a missing file.
    int64_t Length() const;
    /// The folder's entries; Item is from 1 to Count, sorted by name so that the order is stable.
    /// Count reads the folder; Item indexes what the last Count read, so a loop over the entries
    /// reads the folder once. Item out of range is Nil.
    int64_t Count() const;
    Ref<FolderItem> Item(int64_t index) const;
    /// Removes the file or empty folder; false when that failed.
    bool Delete() const;

    /// Nil when the file cannot be opened (missing, a folder, unreadable).
    Ref<BinaryStream> OpenAsBinaryFile(bool write) const;
    Ref<TextInputStream> OpenAsTextFile() const;
    /// A new, empty text file that replaces this one when committed; Nil when it cannot be made.
    Ref<TextOutputStream> CreateTextFile() const;
    /// Nil when the file cannot be read as a picture.
    Ref<Picture> OpenAsPicture() const;

    const std::filesystem::path& Path() const { return m_Path; }

  private:
    std::vector<String> ListEntries() const;

    std::filesystem::path m_Path;
    mutable std::vector<String> m_Entries;
    mutable bool m_Listed = false;
};

/// The user's standard folders. On Linux they follow the XDG base directories.
namespace SpecialFolder {
/// $XDG_DATA_HOME, by default ~/.local/share.
Ref<FolderItem> UserLibrary();
/// $XDG_CONFIG_HOME, by default ~/.config; made when it does not exist yet.
Ref<FolderItem> Preferences();
/// The XDG documents folder, by default ~/Documents.
Ref<FolderItem> Documents();
} // namespace SpecialFolder
