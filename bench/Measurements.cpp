#include "Measurements.h"

#include "BenchSession.h"
#include "FolderItem.h"
#include "Listbox.h"
#include "ProcessClock.h"
#include "mainwindow/winMain.h"
#include "support/RecordingAnswerer.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace {

const std::string kDictionaryName = "bench-dictionary";
// The selection is only the set-up of the delete benchmark; one that takes longer is a finding itself.
constexpr int kLongestSelectingSeconds = 60;

// The files are counted in pieces so that reading them adds nothing to the peak memory measured.
template <class Visit> void ForEachChunk(const fs::path& file, Visit visit) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::string chunk(1 << 16, '\0');
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
        visit(std::string_view(chunk.data(), static_cast<size_t>(in.gcount())));
}

// Words end with NUL, or with LF in a file without NUL; a last word without its delimiter counts.
int64_t DictionaryWordCount(const fs::path& file) {
    int64_t nuls = 0, lfs = 0;
    char last = '\0';
    bool empty = true;
    ForEachChunk(file, [&](std::string_view chunk) {
        for (char c : chunk) {
            nuls += c == '\0';
            lfs += c == '\n';
        }
        last = chunk.back();
        empty = false;
    });
    if (empty)
        return 0;
    char delimiter = nuls > 0 ? '\0' : '\n';
    return (nuls > 0 ? nuls : lfs) + (last != delimiter ? 1 : 0);
}

int64_t LongestWordBytes(const fs::path& file) {
    int64_t longest = 0, current = 0;
    ForEachChunk(file, [&](std::string_view chunk) {
        for (char c : chunk) {
            current = c == '\0' || c == '\n' ? 0 : current + 1;
            longest = std::max(longest, current);
        }
    });
    return longest;
}

int64_t LongestRow(const Ref<Listbox>& list) {
    int64_t longest = 0;
    for (int64_t row = 1; row < list->ListCount(); ++row) {
        if (LenB(list->List(row)) > LenB(list->List(longest)))
            longest = row;
    }
    return longest;
}

// Import skips the lines that are empty or blank.
int64_t NonBlankLineCount(const fs::path& file) {
    int64_t lines = 0;
    bool blank = true;
    ForEachChunk(file, [&](std::string_view chunk) {
        for (char c : chunk) {
            if (c == '\n') {
                lines += blank ? 0 : 1;
                blank = true;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                blank = false;
            }
        }
    });
    return lines + (blank ? 0 : 1);
}

// Random lower-case words of 8 to 12 letters, each followed by NUL, written as they are made.
void WriteRandomDictionary(const fs::path& file, int64_t words) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> length(8, 12), letter('a', 'z');
    for (int64_t i = 0; i < words; ++i) {
        for (int n = length(random); n > 0; --n)
            out.put(static_cast<char>(letter(random)));
        out.put('\0');
    }
}

// Another program's edit after the load: every hundredth word of a NUL-delimited dictionary taken
// out and a thousand new ones appended, written beside the file and renamed over it. Gives the number
// of words that the file then holds.
int64_t EditAsAnotherProgram(const fs::path& source, const fs::path& dictionary) {
    constexpr int64_t kRemoveEvery = 100, kAdded = 1000;
    fs::path edited = dictionary;
    edited += ".edited";
    std::ofstream out(edited, std::ios::binary | std::ios::trunc);
    int64_t index = 0, words = 0;
    std::string word;
    ForEachChunk(source, [&](std::string_view chunk) {
        for (char c : chunk) {
            word += c;
            if (c != '\0')
                continue;
            if (index++ % kRemoveEvery != 0) {
                out << word;
                ++words;
            }
            word.clear();
        }
    });
    for (int64_t i = 0; i < kAdded; ++i)
        out << "outside" << i << '\0';
    out.close();
    fs::rename(edited, dictionary);
    return words + kAdded;
}

void Expect(int64_t actual, int64_t expected, const std::string& what) {
    if (actual != expected)
        throw std::runtime_error(what + ": " + std::to_string(actual) + ", expected " +
                                 std::to_string(expected));
}

void Note(const std::string& step, double seconds) {
    std::cerr << "  (" << step << ": " << seconds << " s)\n";
}

void LoadUntimed(const BenchSession& session) {
    double start = ProcessClock::Now();
    session.SelectDictionary(kDictionaryName);
    session.WaitUntilWordsShown();
    Note("loading", ProcessClock::Now() - start);
}

Measured TimedSave(const BenchSession& session) {
    Ref<ToolItem> save = session.ToolbarItem("tbSave");
    session.Answerer().Clear();
    double start = ProcessClock::Now();
    session.Main()->Toolbar11_Action(save);
    session.WaitForMessage("Dictionary saved.");
    return {ProcessClock::Now() - start, ProcessClock::PeakMB()};
}

using Step = std::function<void(const BenchSession&)>;

// Times selecting the dictionary until its words are shown, and then `more`; `check` runs after the
// timed span.
Measured TimedLoad(const fs::path& dictionary, const Step& more, const Step& check) {
    BenchSession session;
    session.AddDictionary(dictionary, kDictionaryName);
    Measured measured;
    session.Run([&] {
        double start = ProcessClock::Now();
        session.SelectDictionary(kDictionaryName);
        session.WaitUntilWordsShown();
        more(session);
        measured = {ProcessClock::Now() - start, ProcessClock::PeakMB()};
        check(session);
    });
    return measured;
}

// The save that follows `untimed` others of the same session, after the load.
Measured TimedSaveAfter(const fs::path& dictionary, int untimed) {
    BenchSession session;
    session.AddDictionary(dictionary, kDictionaryName);
    Measured measured;
    session.Run([&] {
        LoadUntimed(session);
        for (int save = 0; save < untimed; ++save)
            TimedSave(session);
        measured = TimedSave(session);
    });
    // The same words with the same delimiters, in whatever order, make a file of the same size.
    Expect(static_cast<int64_t>(fs::file_size(session.Home().Spelling() / kDictionaryName)),
           static_cast<int64_t>(fs::file_size(dictionary)), "bytes saved");
    return measured;
}

} // namespace

namespace Measurements {

Measured Load(const fs::path& dictionary) {
    const int64_t words = DictionaryWordCount(dictionary);
    return TimedLoad(
        dictionary, [](const BenchSession&) {},
        [&](const BenchSession& session) {
            Expect(session.Main()->lstCustomWords()->ListCount(), words, "words loaded");
        });
}

Measured LongWord(const fs::path& dictionary) {
    const int64_t longest = LongestWordBytes(dictionary);
    int64_t row = -1;
    return TimedLoad(
        dictionary,
        [&](const BenchSession& session) {
            row = LongestRow(session.Main()->lstCustomWords());
            session.PickWord(row);
        },
        [&](const BenchSession& session) {
            Expect(LenB(session.Main()->lstCustomWords()->List(row)), longest, "bytes of the longest word");
        });
}

Measured Save(const fs::path& dictionary) {
    return TimedSaveAfter(dictionary, 0);
}

Measured SaveAgain(const fs::path& dictionary) {
    return TimedSaveAfter(dictionary, 1);
}

Measured SaveAfterOutsideChange(const fs::path& dictionary) {
    BenchSession session;
    session.AddDictionary(dictionary, kDictionaryName);
    const fs::path saved = session.Home().Spelling() / kDictionaryName;
    Measured measured;
    int64_t words = 0;
    session.Run([&] {
        LoadUntimed(session);
        words = EditAsAnotherProgram(dictionary, saved);
        measured = TimedSave(session);
        Expect(session.Main()->lstCustomWords()->ListCount(), words, "words listed after the save");
    });
    Expect(DictionaryWordCount(saved), words, "words saved");
    return measured;
}

Measured Delete(int64_t words) {
    BenchSession session;
    WriteRandomDictionary(session.Home().Spelling() / kDictionaryName, words);
    Measured measured;
    session.Run([&] {
        LoadUntimed(session);
        Ref<Listbox> list = session.Main()->lstCustomWords();
        double start = ProcessClock::Now();
        for (int64_t row = 0; row < words; row += 2) {
            list->Selected(row, true);
            if (row % 1024 == 0 && ProcessClock::Now() - start > kLongestSelectingSeconds)
                throw std::runtime_error("selecting every other row took over " +
                                         std::to_string(kLongestSelectingSeconds) + " s; gave up at row " +
                                         std::to_string(row) + " of " + std::to_string(words));
        }
        session.WaitUntilWordsShown();
        Note("selecting every other row", ProcessClock::Now() - start);
        Expect(list->SelCount(), (words + 1) / 2, "rows selected");

        start = ProcessClock::Now();
        session.Main()->_FileDeleteWord_Action();
        session.WaitUntilWordsShown();
        measured = {ProcessClock::Now() - start, ProcessClock::PeakMB()};
        Expect(list->ListCount(), words / 2, "rows left");
    });
    return measured;
}

Measured Import(const fs::path& wordList) {
    const int64_t lines = NonBlankLineCount(wordList);
    BenchSession session;
    session.AddDictionaryBytes("", kDictionaryName);
    Measured measured;
    session.Run([&] {
        LoadUntimed(session);
        session.Answerer().QueueFile(New<FolderItem>(fs::absolute(wordList)));
        double start = ProcessClock::Now();
        session.Main()->_FileImport_Action();
        session.WaitUntilWordsShown();
        measured = {ProcessClock::Now() - start, ProcessClock::PeakMB()};
        Expect(session.Main()->lstCustomWords()->ListCount(), lines, "words imported");
    });
    return measured;
}

Measured Startup(const fs::path& dictionary) {
    BenchSession session;
    if (!dictionary.empty())
        session.AddDictionary(dictionary, kDictionaryName);
    Measured measured;
    session.Run([&] { measured = {ProcessClock::SinceLaunch(), ProcessClock::PeakMB()}; });
    return measured;
}

} // namespace Measurements
