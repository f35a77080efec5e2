#include "mainwindow/DictionaryWriter.h"

#include "BinaryStream.h"
#include "FolderItem.h"
#include "mainwindow/DictionaryFile.h"
#include "mainwindow/DictionarySnapshot.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// Each word differs from every other, so that a run of rows written at another run's place, or hashed
// twice in place of another, shows.
std::vector<String> NumberedWords(size_t count) {
    std::vector<String> words;
    words.reserve(count);
    for (size_t i = 0; i < count; ++i)
        words.push_back("word" + std::to_string(i));
    return words;
}

std::vector<String> WithEmptyAndLongWords(size_t count) {
    std::vector<String> words = NumberedWords(count);
    words.front() = "";
    words[count / 2] = String(100'000, 'x');
    return words;
}

} // namespace

// The sizes lie about the boundaries between one run of rows and several.
TEST(DictionaryWriterTest, TheFileHoldsEveryWordInOrderAndTheSnapshotHoldsTheFile) {
    const std::vector<std::vector<String>> lists = {
        NumberedWords(0),       NumberedWords(1),         NumberedWords(65'535),
        NumberedWords(131'071), NumberedWords(131'072),   NumberedWords(131'073),
        NumberedWords(300'000), WithEmptyAndLongWords(3), WithEmptyAndLongWords(300'000),
    };
    TempHome home;
    const Ref<FolderItem> file = New<FolderItem>(home.Path() / "custom");
    for (const String& delimiter : {"\0"s, "\n"s}) {
        for (const std::vector<String>& words : lists) {
            SCOPED_TRACE(testing::Message()
                         << words.size() << " words, delimiter " << static_cast<int>(delimiter[0]));
            Ref<BinaryStream> stream = BinaryStream::Create(file, true);
            DictionarySnapshot written = DictionaryWriter::Write(words, delimiter, *stream);
            stream->Commit();
            const String bytes = TempHome::ReadFile(file->Path());
            // Not EXPECT_EQ: a failure would print megabytes.
            EXPECT_TRUE(bytes == DictionaryFile::Bytes(StringArray(words), delimiter));
            EXPECT_TRUE(written.Holds(bytes));
            EXPECT_EQ(written.Count(), static_cast<int64_t>(words.size()));
        }
    }
}
