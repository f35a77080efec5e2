#include "ClassRegistry.h"

namespace {

std::vector<ClassInfo>& Table() {
    static std::vector<ClassInfo> table;
    return table;
}

} // namespace

namespace ClassRegistry {

void RegisterFrameworkClasses() {
    static const ClassInfo frameworkClasses[] = {
        {"Object", "", {}},
        {"RuntimeException", "Object", {{"Stack"}, {"Message"}}},
        {"Application", "Object", {{"MenuBar"}, {"AutoQuit"}, {"ExecutableFile"}}},
        {"Window",
         "Object",
         {{"Left"}, {"Top"}, {"Width"}, {"Height"}, {"Title"}, {"MenuBar"}, {"Show"}, {"Close"}}},
        {"Control", "Object", {{"Name"}}},
        {"RectControl", "Control", {{"Left"}, {"Top"}, {"Width"}, {"Height"}, {"Enabled"}, {"Visible"}}},
        {"Listbox", "RectControl", {{"AddRow"}, {"RemoveRow"}, {"DeleteAllRows"}, {"Cell"}, {"EditCell"}}},
        {"TextArea", "RectControl", {{"Text"}, {"SelText"}, {"SelStart"}, {"SelLength"}}},
        {"PushButton", "RectControl", {{"Caption"}}},
        {"StaticText", "RectControl", {{"Text"}}},
        {"Canvas", "RectControl", {}},
        {"Toolbar", "RectControl", {{"Append"}, {"Count"}, {"Item"}}},
        {"ToolItem", "Object", {{"Name"}, {"Enabled"}, {"HelpTag"}}},
        {"ToolButton", "ToolItem", {{"Caption"}, {"Icon"}, {"Style"}}},
        {"MenuItem", "Object", {{"Name"}, {"Text"}, {"KeyboardShortcut"}, {"AutoEnable"}, {"Enabled"}}},
        {"MenuBar", "MenuItem", {}},
        {"AppleMenuItem", "MenuItem", {}},
        {"QuitMenuItem", "MenuItem", {}},
        {"FolderItem", "Object", {{"Child"}, {"Exists"}, {"Name"}, {"Count"}, {"Item"}}},
        {"FileType", "Object", {{"Name"}, {"Extensions"}, {"MacType"}, {"MacCreator"}}},
    };
    for (const ClassInfo& info : frameworkClasses)
        Register(info);
}

void Register(ClassInfo info) {
    Table().push_back(std::move(info));
}

const std::vector<ClassInfo>& Classes() {
    return Table();
}

const ClassInfo* Find(const String& name) {
    for (const ClassInfo& info : Table()) {
        if (info.Name == name)
            return &info;
    }
    return nullptr;
}

void Clear() {
    Table().clear();
}

} // namespace ClassRegistry
