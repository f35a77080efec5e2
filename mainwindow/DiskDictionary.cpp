#include "DiskDictionary.h"

#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "DictionarySnapshot.h"
#include "FolderItem.h"

#include <chrono>
#include <thread>

namespace {

constexpr int kReads = 10;
constexpr auto kPause = std::chrono::milliseconds(100);

DiskDictionary ReadOnce(const Ref<FolderItem>& file, DictionarySnapshot& known) {
    DiskDictionary disk;
    disk.TakenAtNs = FileStamp::ClockNs();
    disk.Stamp = FileStamp::Of(file->Path());
    if (!disk.Stamp)
        return disk;
    Ref<BinaryStream> stream = file->OpenAsBinaryFile(false);
    // A folder or a device holds no words to keep; the save's own refusal to replace it tells the user.
    std::error_code error;
    if (!stream && !std::filesystem::is_regular_file(file->Path(), error))
        return disk;
    if (!stream) {
        disk.State = DiskDictionary::Kind::Unreadable;
        return disk;
    }
    disk.Bytes = stream->Read(stream->Length());
    if (DictionaryFile::IsForeign(disk.Bytes)) {
        disk.State = DiskDictionary::Kind::Foreign;
        return disk;
    }
    const bool settled = FileStamp::Of(file->Path()) == disk.Stamp;
    const bool midWrite =
        DiskDictionary::LooksHalfWritten(disk.Bytes, known.Count()) && !known.Holds(disk.Bytes);
    disk.State = settled && !midWrite ? DiskDictionary::Kind::Whole : DiskDictionary::Kind::HalfWritten;
    return disk;
}

// What follows the last delimiter may be a word that the writer has not finished.
void CutAfterLastDelimiter(String& bytes) {
    const char delimiter = bytes.find('\0') == String::npos ? '\n' : '\0';
    const size_t last = bytes.rfind(delimiter);
    bytes.erase(last == String::npos ? 0 : last + 1);
}

} // namespace

DiskDictionary DiskDictionary::Read(const Ref<FolderItem>& file, DictionarySnapshot& known) {
    DiskDictionary disk = ReadOnce(file, known);
    for (int read = 1; read < kReads && disk.State == Kind::HalfWritten; ++read) {
        std::this_thread::sleep_for(kPause);
        disk = ReadOnce(file, known);
    }
    if (disk.State == Kind::HalfWritten)
        CutAfterLastDelimiter(disk.Bytes);
    return disk;
}

bool DiskDictionary::LooksHalfWritten(std::string_view bytes, int64_t knownWords) {
    if (bytes.empty())
        return knownWords > 0;
    return bytes.back() != '\0' && bytes.find('\0') != std::string_view::npos;
}
