#pragma once

#include "Strings.h"

/// Counts the exception reports that the message log window shows. While it lives, the crash report
/// forms go to a local port where nothing listens, so that no report leaves the machine.
class ReportLog {
public:
    ReportLog();
    ~ReportLog();
    ReportLog(const ReportLog&) = delete;
    ReportLog& operator=(const ReportLog&) = delete;

    /// How many reports name the location.
    int Count(const String& location) const;
    /// Every report's text, as the window shows it.
    String Text() const;
};
