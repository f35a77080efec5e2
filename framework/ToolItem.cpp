#include "ToolItem.h"

#include "Picture.h"

#include <QAction>
#include <QPointer>
#include <QToolBar>

struct ToolItem::Private {
    QPointer<QAction> action;
};

ToolItem::ToolItem() : d(std::make_unique<Private>()) {}

ToolItem::~ToolItem() = default;

void ToolItem::Name(const String& name) {
    m_Name = name;
    _UpdateAction();
}

void ToolItem::Enabled(bool enabled) {
    // Selection changes set this often; the icon need not be made again each time.
    if (m_Enabled == enabled)
        return;
    m_Enabled = enabled;
    if (QAction* action = _Action())
        action->setEnabled(enabled);
}

void ToolItem::HelpTag(const String& text) {
    m_HelpTag = text;
    _UpdateAction();
}

void ToolItem::_SetAction(QAction* action) {
    d->action = action;
    _UpdateAction();
}

QAction* ToolItem::_Action() const {
    return d->action.data();
}

void ToolItem::_UpdateAction() {
    QAction* action = _Action();
    if (!action)
        return;
    action->setObjectName(QString::fromStdString(m_Name));
    action->setEnabled(m_Enabled);
    action->setToolTip(QString::fromStdString(m_HelpTag));
}

void ToolButton::Caption(const String& caption) {
    m_Caption = caption;
    _UpdateAction();
}

void ToolButton::Icon(const Ref<Picture>& icon) {
    m_Icon = icon;
    _UpdateAction();
}

void ToolButton::Style(int32_t style) {
    m_Style = style;
    _UpdateAction();
}

void ToolButton::_UpdateAction() {
    ToolItem::_UpdateAction();
    QAction* action = _Action();
    if (!action)
        return;
    action->setText(QString::fromStdString(m_Caption));
    action->setIcon(m_Icon ? QIcon(QPixmap::fromImage(m_Icon->_Image())) : QIcon());
    bool separator = m_Style == ToolStyleSeparator;
    if (action->isSeparator() == separator)
        return;
    action->setSeparator(separator);
    // A toolbar chooses between a button and a separator only when an action is added to it.
    auto* toolbar = qobject_cast<QToolBar*>(action->parent());
    if (!toolbar)
        return;
    QList<QAction*> actions = toolbar->actions();
    qsizetype at = actions.indexOf(action);
    if (at < 0)
        return;
    QAction* next = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    toolbar->removeAction(action);
    toolbar->insertAction(next, action);
}
