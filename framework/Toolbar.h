#pragma once

#include "RectControl.h"

#include <functional>
#include <vector>

class ToolItem;
class QToolBar;

/// A window's toolbar: shown above the window's content area, below its menu bar, with each
/// button's icon over its caption.
class Toolbar : public RectControl {
public:
    Toolbar();
    ~Toolbar() override;

    /// Adds the item after the existing ones.
    void Append(const Ref<ToolItem>& item);
    int64_t Count() const { return static_cast<int64_t>(m_Items.size()); }
    /// The item at a 0-based index; OutOfBoundsException past the end.
    Ref<ToolItem> Item(int64_t index) const;

    /// Raised with the item that the user clicked.
    std::function<void(const Ref<ToolItem>&)> Action;

    void _Attach(Window& window, const String& name) override;
    QToolBar* _ToolBar() const;

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;

private:
    void ShowItem(QToolBar* toolbar, const Ref<ToolItem>& item);

    std::vector<Ref<ToolItem>> m_Items;
};
