#include "ToolbarExtensions.h"

#include "ToolItem.h"
#include "Toolbar.h"
#include "diagnostics/DebugGlobals.h"

namespace ToolbarExtensions {

Ref<ToolItem> Item(const Ref<Toolbar>& toolbar, const String& name) {
    Ref<ToolItem> found;
    ReportingFailures("ToolbarExtensions.Methods.Item", [&] {
        int64_t count = toolbar->Count();
        for (int64_t index = 0; index < count; ++index) {
            Ref<ToolItem> item = toolbar->Item(index);
            if (item->Name() == name) {
                found = item;
                return;
            }
        }
    });
    return found;
}

} // namespace ToolbarExtensions
