#include "winMain.h"

#include "App.h"
#include "Listbox.h"
#include "ToolItem.h"
#include "ToolbarExtensions.h"
#include "diagnostics/DebugGlobals.h"

#include <utility>

void winMain::Event_Open() {
    ReportingFailures("winMain.Events.Open", [&] {
        LoadPrefs();
        lstCustomWords()->ColumnType(0, Listbox::TypeEditable);
        lstDictionaries()->Heading(0, "Dictionaries");
        PopulateDictionariesListbox();
        App()->AutoQuit = true;
    });
}

void winMain::Event_Close() {
    ReportingFailures("winMain.Events.Close", [&] {
        SavePrefs();
        m_Replaced.clear();
    });
}

void winMain::lstDictionaries_Change() {
    ReportingFailures("winMain.Controls.lstDictionaries.Change", [&] {
        bool selected = lstDictionaries()->SelCount() > 0;
        ToolbarExtensions::Item(Toolbar11(), "tbSave")->Enabled(selected);
        ToolbarExtensions::Item(Toolbar11(), "tbAdd")->Enabled(selected);
        if (!selected) {
            lstCustomWords()->DeleteAllRows();
            return;
        }
        PopulateCustomDictionary();
    });
}

void winMain::lstCustomWords_Change() {
    ReportingFailures("winMain.Controls.lstCustomWords.Change", [&] {
        bool selected = lstCustomWords()->SelCount() > 0;
        ToolbarExtensions::Item(Toolbar11(), "tbDelete")->Enabled(selected);
        ToolbarExtensions::Item(Toolbar11(), "tbEdit")->Enabled(selected);
    });
}

void winMain::Toolbar11_Action(const Ref<ToolItem>& item) {
    ReportingFailures("winMain.Controls.Toolbar11.Action", [&] {
        static const std::pair<const char*, void (winMain::*)()> commands[] = {
            {"tbSave", &winMain::SaveDictionary},
            {"tbAdd", &winMain::AddWord},
            {"tbDelete", &winMain::DeleteWord},
            {"tbEdit", &winMain::EditWord},
        };
        String name = item->Name();
        for (const auto& [itemName, command] : commands) {
            if (name == itemName) {
                (this->*command)();
                return;
            }
        }
    });
}
