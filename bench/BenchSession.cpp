#include "BenchSession.h"

#include "FirstExposure.h"
#include "Listbox.h"
#include "ListboxModel.h"
#include "MsgBox.h"
#include "ProcessClock.h"
#include "Runtime.h"
#include "Startup.h"
#include "ToolItem.h"
#include "Toolbar.h"
#include "mainwindow/winMain.h"
#include "support/RecordingAnswerer.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// No benchmark waits longer for the application than this; a stuck handler ends the run.
constexpr double kLongestWaitSeconds = 600.0;

} // namespace

BenchSession::BenchSession() : m_Answerer(std::make_shared<RecordingAnswerer>()) {
    fs::create_directories(m_Home.Spelling());
}

BenchSession::~BenchSession() = default;

void BenchSession::AddDictionary(const fs::path& source, const std::string& name) const {
    const fs::path copy = m_Home.Spelling() / name;
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    // Last written an hour ago, as a dictionary that a person opens mostly was: a save trusts the
    // stamp of a file that nobody wrote just before it was read, and reads one that somebody did.
    fs::last_write_time(copy, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

void BenchSession::AddDictionaryBytes(const std::string& bytes, const std::string& name) const {
    TempHome::WriteFile(m_Home.Spelling() / name, bytes);
}

void BenchSession::Run(const std::function<void()>& shown) {
    int argc = 0;
    Runtime::RuntimeInit(argc, nullptr);
    SetModalAnswerer(m_Answerer);
    std::exception_ptr failure;
    bool ran = false;
    FirstExposure::Watch([&] {
        ran = true;
        try {
            shown();
        } catch (...) {
            failure = std::current_exception();
        }
        Quit(0);
    });
    QTimer::singleShot(static_cast<int>(kLongestWaitSeconds * 1000), [] { Quit(1); });
    _RegisterClasses();
    _Main();
    _ReleaseModuleObjects();
    Runtime::RuntimeExit();
    SetModalAnswerer(nullptr);
    if (failure)
        std::rethrow_exception(failure);
    if (!ran)
        throw std::runtime_error("the application ended without showing its main window" + ShownMessages());
}

Ref<class winMain> BenchSession::Main() const {
    return winMain();
}

void BenchSession::SelectDictionary(const std::string& name) const {
    Ref<Listbox> list = Main()->lstDictionaries();
    for (int64_t row = 0; row < list->ListCount(); ++row) {
        if (list->List(row) == name) {
            list->ListIndex(row);
            return;
        }
    }
    throw std::runtime_error("the dictionary list has no row " + name);
}

void BenchSession::WaitUntilWordsShown() const {
    Ref<Listbox> list = Main()->lstCustomWords();
    QTreeView* view = list->_TreeView();
    WaitUntil([&] { return view->model()->rowCount() == list->ListCount(); }, "the word list's rows");
    // The view lays out and paints on later turns of the loop; the rows are shown once it has.
    view->viewport()->repaint();
}

void BenchSession::PickWord(int64_t row) const {
    Ref<Listbox> list = Main()->lstCustomWords();
    list->ListIndex(row);
    QTreeView* view = list->_TreeView();
    view->scrollTo(view->model()->index(static_cast<int>(row), 0));
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    view->viewport()->repaint();
}

void BenchSession::WaitForMessage(const std::string& text) const {
    const std::vector<String>& messages = m_Answerer->Messages();
    WaitUntil([&] { return !messages.empty(); }, "the message \"" + text + "\"");
    if (std::find(messages.begin(), messages.end(), text) != messages.end())
        return;
    throw std::runtime_error("expected the message \"" + text + "\"" + ShownMessages());
}

std::string BenchSession::ShownMessages() const {
    std::string shown;
    for (const String& message : m_Answerer->Messages())
        shown += "\n  " + message;
    return shown.empty() ? shown : "; the application showed:" + shown;
}

Ref<ToolItem> BenchSession::ToolbarItem(const std::string& name) const {
    Ref<Toolbar> toolbar = Main()->Toolbar11();
    for (int64_t i = 0; i < toolbar->Count(); ++i) {
        if (toolbar->Item(i)->Name() == name)
            return toolbar->Item(i);
    }
    throw std::runtime_error("the toolbar has no item " + name);
}

void BenchSession::WaitUntil(const std::function<bool()>& done, const std::string& what) const {
    const double deadline = ProcessClock::Now() + kLongestWaitSeconds;
    while (!done()) {
        if (ProcessClock::Now() > deadline)
            throw std::runtime_error("gave up waiting for " + what);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
