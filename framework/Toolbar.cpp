#include "Toolbar.h"

#include "Runtime.h"
#include "ToolItem.h"
#include "Window.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

Toolbar::Toolbar() = default;

Toolbar::~Toolbar() = default;

void Toolbar::Append(const Ref<ToolItem>& item) {
    if (item.IsNil())
        throw NilObjectException();
    m_Items.push_back(item);
    if (QToolBar* toolbar = _ToolBar())
        ShowItem(toolbar, item);
}

Ref<ToolItem> Toolbar::Item(int64_t index) const {
    if (index < 0 || index >= Count())
        throw OutOfBoundsException();
    return m_Items[static_cast<size_t>(index)];
}

void Toolbar::_Attach(Window& window, const String& name) {
    RectControl::_Attach(window, name);
    window._Native()->addToolBar(Qt::TopToolBarArea, _ToolBar());
}

QToolBar* Toolbar::_ToolBar() const {
    return static_cast<QToolBar*>(_View());
}

QWidget* Toolbar::_CreateView(QWidget* parent) {
    auto* toolbar = new QToolBar(parent);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->toggleViewAction()->setVisible(false);
    for (const Ref<ToolItem>& item : m_Items)
        ShowItem(toolbar, item);
    return toolbar;
}

void Toolbar::_UpdateView() {
    // The window places its toolbar: the design's position and size do not apply.
    QToolBar* toolbar = _ToolBar();
    if (!toolbar)
        return;
    toolbar->setEnabled(Enabled());
    toolbar->setVisible(Visible());
}

void Toolbar::ShowItem(QToolBar* toolbar, const Ref<ToolItem>& item) {
    // The toolbar makes a button or a separator for the action as the action is when it is added.
    auto* action = new QAction(toolbar);
    item->_SetAction(action);
    toolbar->addAction(action);
    std::weak_ptr<ToolItem> weak = item.Shared();
    QObject::connect(action, &QAction::triggered, toolbar, [this, weak] {
        Ref<ToolItem> clicked(weak.lock());
        if (!clicked || !Action)
            return;
        // A toolbar button takes no focus, so a cell still being edited would miss the command (a
        // save would leave out the word being typed).
        if (Window* window = TrueWindow())
            window->_EndEditing();
        Dispatch([&] { Action(clicked); });
    });
}

