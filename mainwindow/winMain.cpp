#include "winMain.h"

#include "ClassRegistry.h"
#include "Listbox.h"
#include "MenuBar1.h"
#include "Toolbar1.h"

namespace {

// The fields left out keep the framework's defaults: a visible, resizable document window.
WindowDesign MainWindowDesign() {
    return {.Width = 476, .Height = 300, .MinWidth = 470, .MinHeight = 150, .Title = "Wordloom"};
}

ListboxDesign ListDesign(int32_t left, int32_t width, bool lockRight, int32_t tabIndex, bool hasHeading,
                         int32_t selectionType) {
    ListboxDesign design;
    design.Left = left;
    design.Top = 14;
    design.Width = width;
    design.Height = 272;
    design.LockLeft = design.LockTop = design.LockBottom = true;
    design.LockRight = lockRight;
    design.TabIndex = tabIndex;
    design.ColumnCount = 1;
    design.HasHeading = hasHeading;
    design.SelectionType = selectionType;
    design.GridLinesHorizontal = design.GridLinesVertical = false;
    design.TabStop = design.Visible = design.Enabled = design.Border = true;
    design.ScrollBarVertical = true;
    design.ScrollbarHorizontal = design.Bold = design.Italic = design.Underline = false;
    design.TextFont = "System";
    return design;
}

ControlDesign ToolbarDesign() {
    ControlDesign design;
    design.Left = 14;
    design.Top = -108;
    design.Width = 210;
    design.Height = 58;
    design.Visible = design.Enabled = true;
    return design;
}

} // namespace

winMain::winMain() = default;

void winMain::Layout() {
    MenuBar(MenuBar1());
    ApplyDesign(MainWindowDesign());
}

void winMain::CreateControls() {
    _CreateControls0();
}

void winMain::_CreateControls0() {
    _AddControl("lstDictionaries", New<Listbox>());
    lstDictionaries()->TextUnit(0);
    lstDictionaries()->ApplyDesign(ListDesign(20, 100, false, 0, true, 0));
    lstDictionaries()->Change = [this] { lstDictionaries_Change(); };

    _AddControl("lstCustomWords", New<Listbox>());
    lstCustomWords()->TextUnit(0);
    lstCustomWords()->ApplyDesign(ListDesign(132, 324, true, 1, false, 1));
    lstCustomWords()->Change = [this] { lstCustomWords_Change(); };

    _AddControl("Toolbar11", New<Toolbar1>());
    Toolbar11()->ApplyDesign(ToolbarDesign());
    Toolbar11()->Action = [this](const Ref<ToolItem>& item) { Toolbar11_Action(item); };
}

Ref<Listbox> winMain::lstDictionaries() const {
    return Control<Listbox>("lstDictionaries");
}

Ref<Listbox> winMain::lstCustomWords() const {
    return Control<Listbox>("lstCustomWords");
}

Ref<Toolbar> winMain::Toolbar11() const {
    return Control<Toolbar>("Toolbar11");
}

ClassInfo winMainClassInfo() {
    const Scope P = Scope::Public, Hidden = Scope::PublicHidden, Prot = Scope::Protected,
                Priv = Scope::Private;
    return {"winMain",
            "Window",
            {{"Layout", P},
             {"CreateControls", P},
             {"_CreateControls0", Hidden},
             {"lstDictionaries", P},
             {"lstCustomWords", P},
             {"Toolbar11", P},
             {"lstDictionaries_Change", P},
             {"lstCustomWords_Change", P},
             {"Toolbar11_Action", P},
             {"EditMenu", P},
             {"EditSelectAll", P},
             {"UntitledMenu0", P},
             {"EditClear", P},
             {"EditPaste", P},
             {"EditCopy", P},
             {"EditCut", P},
             {"UntitledMenu1", P},
             {"EditUndo", P},
             {"FileMenu", P},
             {"FileQuit", P},
             {"FileExport", P},
             {"FileImport", P},
             {"UntitledSeparator", P},
             {"FileDeleteWord", P},
             {"FileNewWord", P},
             {"FileAboutWordloom", P},
             {"AddMenuHandlers", P},
             {"Event_Close", P},
             {"Event_EnableMenuItems", P},
             {"Event_Open", P},
             {"_FileAboutWordloom_Action", P},
             {"_FileDeleteWord_Action", P},
             {"_FileExport_Action", P},
             {"_FileImport_Action", P},
             {"_FileNewWord_Action", P},
             {"AddWord", Priv},
             {"DeleteWord", Priv},
             {"EditWord", Priv},
             {"Export", Priv},
             {"Import", Priv},
             {"LoadPrefs", Prot},
             {"PopulateCustomDictionary", Prot},
             {"PopulateDictionariesListbox", Prot},
             {"SaveDictionary", Priv},
             {"SavePrefs", Prot},
             {"KillAppleSpell", Priv},
             {"m_Delim", Prot}}};
}

Ref<class winMain> winMain() {
    return ImplicitInstance<class winMain>("winMain.winMain");
}
