#include "ReportLog.h"

#include "TextArea.h"
#include "Window.h"
#include "diagnostics/winDebug.h"

String ReportLog::Text() const {
    Ref<Window> log = WindowList::FindImplicitInstance("winDebug.winDebug");
    if (!log)
        return String();
    return Cast<class winDebug>(log)->txtLog()->Text();
}

int ReportLog::Count(const String& location) const {
    String text = Text();
    // Each report's first line ends in its location.
    String line = location + EndOfLine();
    int count = 0;
    for (size_t at = text.find(line); at != String::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}
