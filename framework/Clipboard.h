#pragma once

#include "Strings.h"

/// The system clipboard. Every Clipboard object shares the one clipboard of the desktop session.
class Clipboard {
public:
    /// The clipboard's text; empty when it holds none.
    String Text() const;
    /// Puts the text on the clipboard in place of what it held.
    void Text(const String& text);
};
