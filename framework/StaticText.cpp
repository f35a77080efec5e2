#include "StaticText.h"

#include <QLabel>
#include <QSize>
#include <QString>

namespace {

Qt::Alignment HorizontalAlignment(int32_t code) {
    if (code == 1)
        return Qt::AlignHCenter;
    if (code == 2)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

} // namespace

void StaticText::ApplyDesign(const StaticTextDesign& design) {
    m_TextDesign = design;
    RectControl::ApplyDesign(design);
}

void StaticText::Text(const String& text) {
    m_TextDesign.Text = text;
    _UpdateView();
}

String StaticText::_ShownText() const {
    QString text = QString::fromStdString(m_TextDesign.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!m_TextDesign.Multiline)
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.toStdString();
}

QWidget* StaticText::_CreateView(QWidget* parent) {
    auto* label = new QLabel(parent);
    // The text is shown as written, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

void StaticText::_UpdateView() {
    RectControl::_UpdateView();
    auto* label = static_cast<QLabel*>(_View());
    if (!label)
        return;
    label->setText(QString::fromStdString(_ShownText()));
    label->setAlignment(HorizontalAlignment(m_TextDesign.TextAlign) | Qt::AlignTop);
    label->setWordWrap(m_TextDesign.Multiline);
    label->setFocusPolicy(Qt::NoFocus);
}

void StaticText::_FitText() {
    // A label has a fixed box; at a larger desktop font its text would be cut off at the box's edge.
    _FitFont(QString::fromStdString(_ShownText()), QSize(Width(), Height()), LayoutFlags());
}

int StaticText::LayoutFlags() const {
    int flags = HorizontalAlignment(m_TextDesign.TextAlign) | Qt::AlignTop;
    return m_TextDesign.Multiline ? flags | Qt::TextWordWrap : flags;
}
