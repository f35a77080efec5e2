#include "PushButton.h"

#include "Runtime.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>

PushButton::PushButton() = default;

PushButton::~PushButton() = default;

void PushButton::ApplyDesign(const PushButtonDesign& design) {
    m_ButtonDesign = design;
    RectControl::ApplyDesign(design);
}

void PushButton::Caption(const String& caption) {
    m_ButtonDesign.Caption = caption;
    _UpdateView();
}

void PushButton::Default(bool v) {
    m_ButtonDesign.Default = v;
    _UpdateView();
}

void PushButton::Cancel(bool v) {
    m_ButtonDesign.Cancel = v;
    _UpdateView();
}

QPushButton* PushButton::_Button() const {
    return static_cast<QPushButton*>(_View());
}

QWidget* PushButton::_CreateView(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Only the button marked Default answers Return; Qt would otherwise make every button a default.
    button->setAutoDefault(false);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), button);
    escape->setContext(Qt::WindowShortcut);
    escape->setEnabled(false);
    std::weak_ptr<RectControl> weak = weak_from_this();
    QObject::connect(button, &QPushButton::clicked, button, [weak] {
        if (auto self = std::static_pointer_cast<PushButton>(weak.lock()))
            self->RaiseAction();
    });
    QObject::connect(escape, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
    return button;
}

void PushButton::_UpdateView() {
    RectControl::_UpdateView();
    QPushButton* button = _Button();
    if (!button)
        return;
    button->setText(QString::fromStdString(m_ButtonDesign.Caption));
    button->setDefault(m_ButtonDesign.Default);
    if (auto* escape = button->findChild<QShortcut*>())
        escape->setEnabled(m_ButtonDesign.Cancel);
}

void PushButton::_FitText() {
    // The button keeps its size, so a caption too large for it at the desktop's font gets a smaller one.
    QPushButton* button = _Button();
    QStyleOptionButton option;
    option.initFrom(button);
    QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    _FitFont(QString::fromStdString(m_ButtonDesign.Caption), room.size(),
             Qt::AlignCenter | Qt::TextShowMnemonic);
}

void PushButton::RaiseAction() {
    // The handler may close the window and so release this button and its Action while it runs.
    Ref<RectControl> keepAlive(shared_from_this());
    std::function<void()> handler = Action;
    if (handler)
        Dispatch(handler);
}
