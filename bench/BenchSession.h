#pragma once

#include "Ref.h"
#include "support/TempHome.h"

#include <filesystem>
#include <functional>
#include <memory>

class RecordingAnswerer;
class ToolItem;
class winMain;

/// One run of Wordloom for a benchmark: a temporary home, the real start-up path and event loop, and
/// an answerer that records the messages and answers the file dialogs in place of the user.
class BenchSession {
public:
    BenchSession();
    ~BenchSession();

    const TempHome& Home() const { return m_Home; }
    RecordingAnswerer& Answerer() const { return *m_Answerer; }

    /// Puts a copy of the file into the Spelling folder under that name.
    void AddDictionary(const std::filesystem::path& source, const std::string& name) const;
    void AddDictionaryBytes(const std::string& bytes, const std::string& name) const;

    /// Starts the runtime, registers the classes and runs the start-up and the event loop. `shown`
    /// runs once the main window has first been exposed; the application then quits. An exception
    /// from `shown` is kept and raised again here, after the shut-down.
    void Run(const std::function<void()>& shown);

    Ref<winMain> Main() const;
    /// Selects the dictionary's row, as a click on it does: its Change loads the words.
    void SelectDictionary(const std::string& name) const;
    /// Turns the event loop until the word list's view has every row of the list, then paints it.
    void WaitUntilWordsShown() const;
    /// Selects the word's row, as a click on it does, and scrolls the word list to it and paints it.
    void PickWord(int64_t row) const;
    /// Turns the event loop until a message is shown; raises when none of those shown is the text.
    void WaitForMessage(const std::string& text) const;
    Ref<ToolItem> ToolbarItem(const std::string& name) const;

private:
    void WaitUntil(const std::function<bool()>& done, const std::string& what) const;
    /// The messages shown so far, for a failure's text.
    std::string ShownMessages() const;

    TempHome m_Home;
    std::shared_ptr<RecordingAnswerer> m_Answerer;
};
