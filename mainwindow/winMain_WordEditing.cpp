#include "winMain.h"

#include "Listbox.h"
#include "TextField.h"
#include "diagnostics/DebugGlobals.h"

void winMain::AddWord() {
    ReportingFailures("winMain.Methods.AddWord", [&] {
        Ref<Listbox> words = lstCustomWords();
        words->AddRow("<New Word>");
        words->RowEdited(words->LastIndex(), true);
        words->EditCell(words->LastIndex(), 0);
        words->ActiveCell()->SelStart(0);
        words->ActiveCell()->SelLength(LenB(words->ActiveCell()->Text()));
    });
}

void winMain::DeleteWord() {
    ReportingFailures("winMain.Methods.DeleteWord", [&] {
        Ref<Listbox> words = lstCustomWords();
        // From the last row down, so that a removal leaves the rows still to visit where they were.
        for (int64_t row = words->ListCount() - 1; row >= 0; --row) {
            if (words->Selected(row))
                words->RemoveRow(row);
        }
    });
}

void winMain::EditWord() {
    ReportingFailures("winMain.Methods.EditWord", [&] {
        Ref<Listbox> words = lstCustomWords();
        words->EditCell(words->ListIndex(), 0);
    });
}
