#include "AtTheRename.h"
#include "WordloomSession.h"

#include "mainwindow/winMain.h"
#include "support/ProcessLimits.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using Rows = std::vector<String>;

const String kSaved = "Dictionary saved.";
const String kUnopenable = "Unable to open dictionary.";
const String kSavedWhileChanging =
    "Dictionary saved, but another program kept changing it. Save again to take in its latest words.";
// "cat" and "dog", one a line, in UTF-16 after its byte-order mark.
const String kWide = "\xFF\xFE"
                     "c\0a\0t\0\n\0d\0o\0g\0\n\0"s;

void AppendAsAnotherProgram(const fs::path& dictionary, const String& bytes) {
    std::ofstream(dictionary, std::ios::binary | std::ios::app) << bytes;
}

// As another program saves: its whole file, renamed into the dictionary's place.
void RenameInAsAnotherProgram(const fs::path& dictionary, const String& bytes) {
    const fs::path written = dictionary.parent_path() / "another-program.tmp";
    TempHome::WriteFile(written, bytes);
    fs::rename(written, dictionary);
}

Rows Entries(const fs::path& folder) {
    Rows names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void DeleteAndTypeAgain(const String& word) {
    Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
    const int64_t count = words->ListCount();
    WordloomSession::ClickRow(words, WordloomSession::RowOf(words, word));
    WordloomSession::ClickToolButton("tbDelete");
    WordloomSession::WaitFor([&] { return words->ListCount() == count - 1; });
    WordloomSession::ClickToolButton("tbAdd");
    WordloomSession::TypeAndReturn(word);
}

using Act = std::function<void(const fs::path& dictionary, int call)>;

Act Appending(const String& bytes) {
    return [bytes](const fs::path& dictionary, int) { AppendAsAnotherProgram(dictionary, bytes); };
}

Act RenamingIn(const String& bytes) {
    return [bytes](const fs::path& dictionary, int) { RenameInAsAnotherProgram(dictionary, bytes); };
}

// A word of its own at each rename: "out0", "out1", ...
void AppendNumbered(const fs::path& dictionary, int call) {
    AppendAsAnotherProgram(dictionary, "out" + std::to_string(call) + '\0');
}

struct Case {
    const char* name;
    String loaded;
    /// Another program's act just before each of the save's first `acts` renames.
    Act act;
    int acts = 1;
    /// The first rename fails so, as where the file system cannot exchange two names.
    int refusal = 0;
    /// No descriptor is left to the save from its first rename to its next.
    bool noDescriptors = false;
    std::function<void()> edit = {};
    int saves = 1;
    Rows messages = {kSaved};
    String saved;
};

} // namespace

// Another program writes the dictionary in the microseconds just before a save's rename: the file in
// place after the save holds the words of both, or, where the other program's file cannot be read as a
// dictionary, is that file as it was.
TEST(SaveAtTheRename, KeepsTheWordsOfBothSidesOrPutsTheOtherFileBack) {
    const String catDog = Nul({"cat", "dog"});
    const Case cases[] = {
        {.name = "appended",
         .loaded = catDog,
         .act = Appending(Nul({"emu"})),
         .saved = Nul({"cat", "dog", "emu"})},
        {.name = "renamed in",
         .loaded = catDog,
         .act = RenamingIn(Nul({"cat", "emu"})),
         .saved = Nul({"cat", "emu"})},
        {.name = "appended at three renames",
         .loaded = catDog,
         .act = AppendNumbered,
         .acts = 3,
         .saved = Nul({"cat", "dog", "out0", "out1", "out2"})},
        {.name = "appended at ten renames",
         .loaded = catDog,
         .act = AppendNumbered,
         .acts = 10,
         .saves = 2,
         .messages = {kSavedWhileChanging, kSaved},
         .saved = Nul(
             {"cat", "dog", "out0", "out1", "out2", "out3", "out4", "out5", "out6", "out7", "out8", "out9"})},
        {.name = "typed",
         .loaded = Nul({"apple", "banana", "cherry"}),
         .act = RenamingIn(Nul({"apple", "cherry"})),
         .edit = [] { DeleteAndTypeAgain("banana"); },
         .saved = Nul({"apple", "cherry", "banana"})},
        {.name = "wide",
         .loaded = catDog,
         .act = RenamingIn(kWide),
         .messages = {kUnopenable},
         .saved = kWide},
        {.name = "wide, where names cannot be exchanged",
         .loaded = catDog,
         .act = RenamingIn(kWide),
         .refusal = EINVAL,
         .messages = {kUnopenable},
         .saved = kWide},
        {.name = "no descriptor left",
         .loaded = catDog,
         .act = Appending(Nul({"emu"})),
         .noDescriptors = true,
         .messages = {kUnopenable},
         .saved = Nul({"cat", "dog", "emu"})},
    };
    WordloomSession session;
    for (const Case& c : cases)
        TempHome::WriteFile(session.Dictionary(c.name), c.loaded);

    std::vector<Rows> messages;
    int status = session.Run([&] {
        for (const Case& c : cases) {
            const fs::path dictionary = session.Dictionary(c.name);
            WordloomSession::ChooseDictionary(c.name);
            if (c.edit)
                c.edit();
            session.answerer->Clear();
            std::optional<LoweredLimit> noDescriptors;
            AtTheRename anotherProgram(
                dictionary,
                [&](int call) {
                    noDescriptors.reset();
                    if (call < c.acts)
                        c.act(dictionary, call);
                    return call == 0 ? c.refusal : 0;
                },
                [&](int call) {
                    if (call == 0 && c.noDescriptors)
                        noDescriptors.emplace(RLIMIT_NOFILE, 0);
                });
            for (int save = 0; save < c.saves; ++save)
                WordloomSession::ClickToolButton("tbSave");
            noDescriptors.reset();
            messages.push_back(session.answerer->Messages());
        }
    });

    EXPECT_EQ(status, 0);
    Rows names;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        names.push_back(c.name);
        EXPECT_EQ(messages.at(i), c.messages);
        EXPECT_EQ(TempHome::ReadFile(session.Dictionary(c.name)), c.saved);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Entries(session.home.Spelling()), names);
}
