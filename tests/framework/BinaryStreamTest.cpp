#include "BinaryStream.h"

#include "FolderItem.h"
#include "support/ProcessLimits.h"
#include "support/TempHome.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class BinaryStreamTest : public testing::Test {
protected:
    fs::path Spelling() const { return m_Home.Spelling(); }
    Ref<FolderItem> Dictionary() const { return New<FolderItem>(Spelling() / "custom"); }

    std::vector<String> Entries() const {
        std::vector<String> names;
        for (const auto& entry : fs::directory_iterator(Spelling()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void Save(const Ref<FolderItem>& file, const String& bytes) const {
        Ref<BinaryStream> out = BinaryStream::Create(file, true);
        out->Write(bytes);
        out->Commit();
    }

    void SetUp() override { TempHome::WriteFile(Spelling() / "custom", "cat\0dog\0"s); }

    TempHome m_Home;
};

String EveryByteAndInvalidUtf8() {
    String bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + "\xC3\x28\xFF\xFE\0\0\xED\xA0\x80"s;
}

} // namespace

TEST_F(BinaryStreamTest, RoundTripKeepsEveryByte) {
    const String bytes = EveryByteAndInvalidUtf8();
    Save(Dictionary(), bytes);
    Ref<BinaryStream> in = BinaryStream::Open(Dictionary(), false);
    EXPECT_EQ(in->Length(), LenB(bytes));
    EXPECT_EQ(in->Read(in->Length()), bytes);
}

TEST_F(BinaryStreamTest, ReadGivesUpToCountBytesFromThePosition) {
    Ref<BinaryStream> in = BinaryStream::Open(Dictionary(), false);
    EXPECT_EQ(in->Read(3), "cat");
    EXPECT_EQ(in->Read(1LL << 40), "\0dog\0"s);
    EXPECT_EQ(in->Read(1), "");
    EXPECT_EQ(in->Read(0), "");
}

TEST_F(BinaryStreamTest, EmptyFileReadsNothing) {
    Save(Dictionary(), "");
    Ref<BinaryStream> in = BinaryStream::Open(Dictionary(), false);
    EXPECT_EQ(in->Length(), 0);
    EXPECT_EQ(in->Read(10), "");
}

TEST_F(BinaryStreamTest, OpenRaisesForWhatCannotBeRead) {
    EXPECT_THROW(BinaryStream::Open(Ref<FolderItem>(), false), NilObjectException);
    EXPECT_THROW(BinaryStream::Open(New<FolderItem>(Spelling() / "missing"), false), IOException);
    EXPECT_THROW(BinaryStream::Open(New<FolderItem>(Spelling()), false), IOException);
}

TEST_F(BinaryStreamTest, CreateRaisesForWhatCannotBeCreated) {
    EXPECT_THROW(BinaryStream::Create(Ref<FolderItem>(), true), NilObjectException);
    EXPECT_THROW(BinaryStream::Create(New<FolderItem>(Spelling() / "no folder" / "file"), true), IOException);
    EXPECT_THROW(BinaryStream::Create(New<FolderItem>(Spelling()), true), IOException);
    EXPECT_THROW(BinaryStream::Create(Dictionary(), false), IOException);
}

TEST_F(BinaryStreamTest, ReadStreamRefusesToWriteAndCreatedStreamToRead) {
    Ref<BinaryStream> in = BinaryStream::Open(Dictionary(), false);
    EXPECT_THROW(in->Write("x"), IOException);
    EXPECT_THROW(in->Commit(), IOException);
    EXPECT_THROW(BinaryStream::Create(Dictionary(), true)->Read(1), IOException);
}

TEST_F(BinaryStreamTest, NewFileAppearsOnlyOnCommit) {
    Ref<FolderItem> file = New<FolderItem>(Spelling() / "new");
    Ref<BinaryStream> out = BinaryStream::Create(file, true);
    out->Write("word\n");
    EXPECT_EQ(out->Length(), 5);
    EXPECT_FALSE(file->Exists());
    out->Commit();
    EXPECT_EQ(TempHome::ReadFile(file->Path()), "word\n");
    EXPECT_EQ(Entries(), (std::vector<String>{"custom", "new"}));
}

TEST_F(BinaryStreamTest, UncommittedStreamLeavesTheOldFileAndNoTemporaryFile) {
    BinaryStream::Create(Dictionary(), true)->Write("half a dictio");
    EXPECT_EQ(TempHome::ReadFile(Dictionary()->Path()), "cat\0dog\0"s);
    EXPECT_EQ(Entries(), std::vector<String>{"custom"});
}

TEST_F(BinaryStreamTest, ASaveRemovesWhatAKilledSaveLeftButNotASaveStillWriting) {
    Ref<BinaryStream> writing = BinaryStream::Create(Dictionary(), true);
    writing->Write("still writing\0"s);
    TempHome::WriteFile(Spelling() / ".custom.wordloom-save-Ab12Cd", "half a dicti");
    TempHome::WriteFile(Spelling() / ".other.wordloom-save-Ab12Cd", "another file's");

    Save(Dictionary(), "saved\0"s);
    writing->Commit();

    EXPECT_EQ(TempHome::ReadFile(Dictionary()->Path()), "still writing\0"s);
    EXPECT_EQ(Entries(), (std::vector<String>{".other.wordloom-save-Ab12Cd", "custom"}));
}

TEST_F(BinaryStreamTest, FailedWriteLeavesTheOldFileWhole) {
    {
        SmallFiles limit(4096);
        Ref<BinaryStream> out = BinaryStream::Create(Dictionary(), true);
        EXPECT_THROW(
            {
                out->Write(String(1 << 20, 'w'));
                out->Commit();
            },
            IOException);
        EXPECT_THROW(out->Commit(), IOException);
    }
    EXPECT_EQ(TempHome::ReadFile(Dictionary()->Path()), "cat\0dog\0"s);
    EXPECT_EQ(Entries(), std::vector<String>{"custom"});
}

TEST_F(BinaryStreamTest, FailureInTheBufferedTailSurfacesAtCommit) {
    {
        SmallFiles limit(16);
        Ref<BinaryStream> out = BinaryStream::Create(Dictionary(), true);
        out->Write(String(100, 'w'));
        EXPECT_THROW(out->Commit(), IOException);
    }
    EXPECT_EQ(TempHome::ReadFile(Dictionary()->Path()), "cat\0dog\0"s);
    EXPECT_EQ(Entries(), std::vector<String>{"custom"});
}

TEST_F(BinaryStreamTest, TemporaryFileThatCannotBeMadeRaisesIOException) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "The sanitizers' checks need free file descriptors of their own.";
#endif
    int lowestFree = open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    close(lowestFree);
    {
        LoweredLimit openFiles(RLIMIT_NOFILE, static_cast<rlim_t>(lowestFree));
        EXPECT_THROW(BinaryStream::Create(Dictionary(), true), IOException);
    }
    EXPECT_EQ(TempHome::ReadFile(Dictionary()->Path()), "cat\0dog\0"s);
    EXPECT_EQ(Entries(), std::vector<String>{"custom"});
}

TEST_F(BinaryStreamTest, ReplacingThroughSymbolicLinksReplacesTheTarget) {
    fs::path target = m_Home.Path() / "elsewhere" / "words";
    TempHome::WriteFile(target, "old\n");
    // A relative link to an absolute one, as a user's dotfiles manager might leave them.
    fs::create_symlink("../../../link", Spelling() / "linked");
    fs::create_symlink(target, m_Home.Path() / "link");

    Save(New<FolderItem>(Spelling() / "linked"), "new\n");

    EXPECT_TRUE(fs::is_symlink(Spelling() / "linked"));
    EXPECT_TRUE(fs::is_symlink(m_Home.Path() / "link"));
    EXPECT_EQ(TempHome::ReadFile(target), "new\n");
    EXPECT_EQ(fs::directory_iterator(target.parent_path())->path().filename(), "words");
}

TEST_F(BinaryStreamTest, DanglingLinkGetsItsTargetCreated) {
    fs::create_symlink("real", Spelling() / "link");
    Save(New<FolderItem>(Spelling() / "link"), "word");
    EXPECT_TRUE(fs::is_symlink(Spelling() / "link"));
    EXPECT_EQ(TempHome::ReadFile(Spelling() / "real"), "word");
}

TEST_F(BinaryStreamTest, ReplacingKeepsThePermissions) {
    fs::permissions(Dictionary()->Path(), fs::perms(0604));
    Save(Dictionary(), "new");
    EXPECT_EQ(fs::status(Dictionary()->Path()).permissions(), fs::perms(0604));
}

TEST_F(BinaryStreamTest, NewFileGetsThePermissionsTheUmaskAllows) {
    mode_t saved = umask(027);
    Save(New<FolderItem>(Spelling() / "new"), "new");
    umask(saved);
    EXPECT_EQ(fs::status(Spelling() / "new").permissions(), fs::perms(0640));
}
