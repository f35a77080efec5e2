#pragma once

#include "Strings.h"

/// Counts the exception reports that the message log window shows.
class ReportLog {
public:
    /// How many reports name the location.
    int Count(const String& location) const;
    /// Every report's text, as the window shows it.
    String Text() const;
};
