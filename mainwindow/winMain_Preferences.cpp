#include "winMain.h"

#include "FolderItem.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "WindowPrefs.h"
#include "diagnostics/DebugGlobals.h"

void winMain::LoadPrefs() {
    ReportingFailures("winMain.Methods.LoadPrefs", [&] {
        Ref<FolderItem> file = SpecialFolder::Preferences()->Child(WindowPrefs::FileName());
        if (!file || !file->Exists())
            return;
        Ref<TextInputStream> input = file->OpenAsTextFile();
        if (!input)
            return;
        Left(WindowPrefs::Value(input->ReadLine()));
        Top(WindowPrefs::Value(input->ReadLine()));
        Width(WindowPrefs::Value(input->ReadLine()));
        Height(WindowPrefs::Value(input->ReadLine()));
    });
}

void winMain::SavePrefs() {
    ReportingFailures("winMain.Methods.SavePrefs", [&] {
        Ref<FolderItem> file = SpecialFolder::Preferences()->Child(WindowPrefs::FileName());
        if (!file)
            return;
        Ref<TextOutputStream> output = file->CreateTextFile();
        if (!output)
            return;
        output->WriteLine(WindowPrefs::Line(Left()));
        output->WriteLine(WindowPrefs::Line(Top()));
        output->WriteLine(WindowPrefs::Line(Width()));
        output->WriteLine(WindowPrefs::Line(Height()));
        // Until now the old file is untouched, so a failed write never leaves half a file.
        output->Commit();
    });
}
