#pragma once

#include "Listbox.h"
#include "Window.h"
#include "diagnostics/LoopbackServer.h"
#include "support/RecordingAnswerer.h"
#include "support/TempHome.h"

#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QWidget;

/// The bytes of a dictionary of these words, each followed by a NUL.
inline String Nul(std::initializer_list<const char*> words) {
    String bytes;
    for (const char* word : words)
        bytes += String(word) + '\0';
    return bytes;
}

/// Runs Wordloom as its main() runs it, in a home of the test's own, and plays a person's session
/// against the real widgets once the event loop is up. Messages and file dialogs go to the
/// recording answerer; crash reports go to a loopback server.
class WordloomSession {
public:
    WordloomSession();
    ~WordloomSession();

    /// Starts Wordloom, plays the script inside its event loop, then closes every window as the
    /// person would; returns the process's exit status.
    int Run(const std::function<void()>& script);

    std::filesystem::path Dictionary(const String& name) const { return home.Spelling() / name; }
    std::filesystem::path PreferencesFile() const;

    static Ref<Window> OpenWindow(const String& key);
    static Ref<class winMain> MainWindow();

    /// A click on the row, with the modifier keys held.
    static void ClickRow(const Ref<Listbox>& list, int64_t row,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static int64_t RowOf(const Ref<Listbox>& list, const String& text);
    /// A click on the dictionary's row in the main window.
    static void ChooseDictionary(const String& name);
    static std::vector<String> Rows(const Ref<Listbox>& list);
    /// The toolbar button of the item, as the person sees it.
    static QWidget* ToolButton(const String& itemName);
    static void ClickToolButton(const String& itemName);
    static bool ToolButtonEnabled(const String& itemName);
    /// Types into the widget that has the focus, then presses Return.
    static void TypeAndReturn(const String& text);
    /// Presses the shortcut in the main window, as a person does for a menu command.
    static void PressShortcut(Qt::Key key);
    static QAction* MenuAction(const Window& window, const char* itemName);
    /// Lets the event loop run until the condition holds or a few seconds have passed.
    static bool WaitFor(const std::function<bool()>& condition);

    TempHome home;
    std::shared_ptr<RecordingAnswerer> answerer = std::make_shared<RecordingAnswerer>();
    LoopbackServer crashLog;
};
