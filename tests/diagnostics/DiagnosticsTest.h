#pragma once

#include "LoopbackServer.h"
#include "Ref.h"

#include <gtest/gtest.h>

class winDebug;

/// A fresh runtime with the application object registered and the crash report forms going to a
/// loopback server; every window is closed afterwards.
class DiagnosticsTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// The open message log window, or Nil.
    static Ref<class winDebug> OpenLog();
    /// Whether the text is "YYYY-MM-DD HH:MM:SS: " followed by the report.
    static bool IsStampedEntry(const String& text, const String& report);

    LoopbackServer server;
};
