#include "DiskDictionary.h"

#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "DictionarySnapshot.h"
#include "FolderItem.h"

#include <chrono>
#include <thread>

namespace {

constexpr auto kPause = std::chrono::milliseconds(100);
// A file that looks half-written is settled once its stamp held through this many reads in a row,
// about a second; one that keeps changing is given up after twice as long.
constexpr int kSettledReads = 10;
constexpr int kMostReads = 2 * kSettledReads;

using Kind = DiskDictionary::Kind;

// Unended here only says that the file looked half-written but did not change while it was read.
DiskDictionary ReadOnce(const Ref<FolderItem>& file, const DictionarySnapshot& known) {
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
        disk.Found = Kind::Unreadable;
        return disk;
    }
    disk.Bytes = stream->Read(stream->Length());
    if (DictionaryFile::IsForeign(disk.Bytes)) {
        disk.Found = Kind::Foreign;
        return disk;
    }
    if (FileStamp::Of(file->Path()) != disk.Stamp) {
        disk.Found = Kind::HalfWritten;
        return disk;
    }
    const bool midWrite =
        DictionaryFile::LooksHalfWritten(disk.Bytes, known.Count() > 0) && !known.Holds(disk.Bytes);
    disk.Found = midWrite ? Kind::Unended : Kind::Whole;
    return disk;
}

bool MayStillChange(const DiskDictionary& disk, int steadyReads) {
    return disk.Found == Kind::HalfWritten || (disk.Found == Kind::Unended && steadyReads < kSettledReads);
}

} // namespace

DiskDictionary DiskDictionary::Read(const Ref<FolderItem>& file, const DictionarySnapshot& known) {
    DiskDictionary disk = ReadOnce(file, known);
    int steadyReads = 1;
    for (int read = 1; read < kMostReads && MayStillChange(disk, steadyReads); ++read) {
        std::this_thread::sleep_for(kPause);
        DiskDictionary again = ReadOnce(file, known);
        const bool steady =
            again.Found == Kind::Unended && disk.Found == Kind::Unended && again.Stamp == disk.Stamp;
        steadyReads = steady ? steadyReads + 1 : 1;
        disk = std::move(again);
    }
    if (MayStillChange(disk, steadyReads)) {
        disk.Found = Kind::HalfWritten;
        disk.Bytes.erase(DictionaryFile::WholeWords(disk.Bytes).size());
    }
    return disk;
}
