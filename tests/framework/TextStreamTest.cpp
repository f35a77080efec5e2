#include "FolderItem.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

class TextStreamTest : public testing::Test {
  protected:
    Ref<FolderItem> File() const { return New<FolderItem>(m_Home.Path() / "words.txt"); }

    std::vector<String> ReadLines(const String& bytes) const {
        TempHome::WriteFile(File()->Path(), bytes);
        Ref<TextInputStream> in = TextInputStream::Open(File());
        std::vector<String> lines;
        while (!in->AtEOF())
            lines.push_back(in->ReadLine(Encodings::UTF8));
        return lines;
    }

    TempHome m_Home;
};

using Lines = std::vector<String>;

} // namespace

TEST_F(TextStreamTest, ReadLineSplitsAtEveryLineEnding) {
    const std::pair<String, Lines> cases[] = {
        {"", {}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\n", {""}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"  padded \t\n", {"  padded \t"}},
        {"nul\0inside\n"s, {"nul\0inside"s}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(ReadLines(bytes), lines) << bytes;
}

TEST_F(TextStreamTest, LineEndingCutBetweenTwoReadsIsStillOne) {
    // The reader takes the file in chunks of 64 KiB; these put the CR and the LF in different chunks.
    for (size_t before : {65535, 65534, 65536, 2 * 65536 - 1}) {
        String first(before, 'x');
        EXPECT_EQ(ReadLines(first + "\r\nnext\r\n"), (Lines{first, "next"})) << before;
    }
}

TEST_F(TextStreamTest, LongLinesAndManyLinesComeBackWhole) {
    String longLine(200000, 'y');
    Lines many;
    String bytes = longLine + "\n";
    for (int i = 0; i < 20000; ++i) {
        many.push_back("word" + Str(i));
        bytes += many.back() + (i % 2 ? "\r\n" : "\n");
    }
    many.insert(many.begin(), longLine);
    EXPECT_EQ(ReadLines(bytes), many);
}

TEST_F(TextStreamTest, ReadLineAfterTheEndGivesTheEmptyString) {
    TempHome::WriteFile(File()->Path(), "only\n");
    Ref<TextInputStream> in = TextInputStream::Open(File());
    EXPECT_EQ(in->ReadLine(), "only");
    EXPECT_TRUE(in->AtEOF());
    EXPECT_EQ(in->ReadLine(), "");
    EXPECT_TRUE(in->AtEOF());
}

TEST_F(TextStreamTest, OpenRaisesForWhatCannotBeRead) {
    EXPECT_THROW(TextInputStream::Open(Ref<FolderItem>()), NilObjectException);
    EXPECT_THROW(TextInputStream::Open(File()), IOException);
    EXPECT_THROW(TextInputStream::Open(New<FolderItem>(m_Home.Path())), IOException);
}

TEST_F(TextStreamTest, WrittenLinesReadBackTheSame) {
    const Lines lines{"100", "-50", "", "  blank around  ", "\xC3\xA9t\xC3\xA9"};
    Ref<TextOutputStream> out = TextOutputStream::Create(File());
    for (const auto& line : lines)
        out->WriteLine(line);
    out->Commit();
    EXPECT_EQ(TempHome::ReadFile(File()->Path()), "100\n-50\n\n  blank around  \n\xC3\xA9t\xC3\xA9\n");
    Ref<TextInputStream> in = TextInputStream::Open(File());
    Lines read;
    while (!in->AtEOF())
        read.push_back(in->ReadLine());
    EXPECT_EQ(read, lines);
}

TEST_F(TextStreamTest, OutputReplacesTheOldFileOnlyOnCommit) {
    TempHome::WriteFile(File()->Path(), "old\n");
    {
        Ref<TextOutputStream> out = TextOutputStream::Create(File());
        out->WriteLine("new");
    }
    EXPECT_EQ(TempHome::ReadFile(File()->Path()), "old\n");
    Ref<TextOutputStream> out = TextOutputStream::Create(File());
    out->WriteLine("new");
    out->Commit();
    EXPECT_EQ(TempHome::ReadFile(File()->Path()), "new\n");
}

TEST_F(TextStreamTest, CreateRaisesForWhatCannotBeCreated) {
    EXPECT_THROW(TextOutputStream::Create(Ref<FolderItem>()), NilObjectException);
    EXPECT_THROW(TextOutputStream::Create(New<FolderItem>(m_Home.Path() / "missing" / "x.txt")), IOException);
}
