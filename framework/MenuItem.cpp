#include "MenuItem.h"

#include <QAction>
#include <QPointer>

struct MenuItem::Actions {
    std::vector<QPointer<QAction>> list;
};

MenuItem::MenuItem() : m_Actions(std::make_unique<Actions>()) {}

MenuItem::~MenuItem() = default;

void MenuItem::Enabled(bool enabled) {
    m_Enabled = enabled;
    UpdateActions();
}

void MenuItem::Append(const Ref<MenuItem>& item) {
    if (item.IsNil())
        throw NilObjectException();
    m_Children.push_back(item);
}

Ref<MenuItem> MenuItem::Item(int64_t index) const {
    if (index < 0 || index >= Count())
        throw OutOfBoundsException();
    return m_Children[static_cast<size_t>(index)];
}

Ref<MenuItem> MenuItem::Child(const String& name) const {
    for (const Ref<MenuItem>& child : m_Children) {
        if (child->Name == name)
            return child;
    }
    return nullptr;
}

Ref<MenuItem> MenuItem::_Lookup(const String& name) const {
    for (const Ref<MenuItem>& child : m_Children) {
        if (child->Name == name)
            return child;
        if (Ref<MenuItem> found = child->_Lookup(name))
            return found;
    }
    return nullptr;
}

void MenuItem::_AddAction(QAction* action) {
    m_Actions->list.emplace_back(action);
    action->setEnabled(m_Enabled);
}

void MenuItem::UpdateActions() {
    std::erase_if(m_Actions->list, [](const QPointer<QAction>& action) { return action.isNull(); });
    for (const QPointer<QAction>& action : m_Actions->list)
        action->setEnabled(m_Enabled);
}
