#include "FileStamp.h"

#include <gtest/gtest.h>

// A grain finer than the file system's own would trust a stamp within which another program's write
// hides; a file system that keeps a held file in sight must not be left holding one.
TEST(FileStampTest, TakesTheGrainAndTheHeldFilesOfEachFileSystem) {
    constexpr int64_t kSecond = 1'000'000'000;
    constexpr int64_t kAt = 1'700'000'000 * kSecond;
    struct Case {
        const char* what;
        int64_t type;
        int64_t modifiedNs, changedNs;
        int64_t grainNs;
        bool showsRemovedOpenFiles;
    };
    const int64_t tick = FileStamp::GrainOn(0xEF53, kAt + 1, kAt + 1);
    const Case cases[] = {
        {"ext4", 0xEF53, kAt + 123, kAt + 456, tick, false},
        {"tmpfs", 0x01021994, kAt + 1, kAt, tick, false},
        {"ext2 with small inodes", 0xEF53, kAt, kAt, kSecond, false},
        {"FAT", 0x4d44, kAt + 1, kAt + 1, FileStamp::kCoarseGrainNs, false},
        {"exFAT", 0x2011BAB0, kAt, kAt, FileStamp::kCoarseGrainNs, false},
        {"FUSE", 0x65735546, kAt + 1, kAt + 1, FileStamp::kCoarseGrainNs, true},
        {"NFS", 0x6969, kAt + 1, kAt + 1, FileStamp::kCoarseGrainNs, true},
        {"CIFS", 0xFF534D42, kAt + 1, kAt + 1, FileStamp::kCoarseGrainNs, true},
    };
    EXPECT_GT(tick, 0);
    EXPECT_LE(tick, 10'000'000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FileStamp::GrainOn(c.type, c.modifiedNs, c.changedNs), c.grainNs);
        EXPECT_EQ(FileStamp::ShowsRemovedOpenFiles(c.type), c.showsRemovedOpenFiles);
    }
}
