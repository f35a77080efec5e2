#include "RectControl.h"

#include "TextFit.h"
#include "Window.h"

#include <QApplication>
#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>

RectControl::RectControl() = default;

RectControl::~RectControl() {
    // The window's content widget owns the view; it may have gone first.
    m_View = nullptr;
}

void RectControl::ApplyDesign(const ControlDesign& design) {
    m_Design = design;
    _UpdateView();
}

void RectControl::Left(int32_t v) {
    m_Design.Left = v;
    PlaceView();
}

void RectControl::Top(int32_t v) {
    m_Design.Top = v;
    PlaceView();
}

void RectControl::Width(int32_t v) {
    m_Design.Width = v;
    PlaceView();
}

void RectControl::Height(int32_t v) {
    m_Design.Height = v;
    PlaceView();
}

void RectControl::Enabled(bool v) {
    m_Design.Enabled = v;
    if (m_View)
        m_View->setEnabled(v);
}

void RectControl::Visible(bool v) {
    m_Design.Visible = v;
    if (m_View)
        m_View->setVisible(v);
}

void RectControl::HelpTag(const String& v) {
    m_Design.HelpTag = v;
    if (m_View)
        m_View->setToolTip(QString::fromStdString(v));
}

void RectControl::_Attach(Window& window, const String& name) {
    m_Window = &window;
    m_Name = name;
    m_View = _CreateView(window._Content());
    m_View->setObjectName(QString::fromStdString(name));
    _UpdateView();
}

void RectControl::_FollowWindowResize(int32_t oldWidth, int32_t oldHeight, int32_t newWidth,
                                      int32_t newHeight) {
    int32_t dw = newWidth - oldWidth;
    int32_t dh = newHeight - oldHeight;
    if (m_Design.LockRight) {
        if (m_Design.LockLeft)
            m_Design.Width += dw;
        else
            m_Design.Left += dw;
    }
    if (m_Design.LockBottom) {
        if (m_Design.LockTop)
            m_Design.Height += dh;
        else
            m_Design.Top += dh;
    }
    PlaceView();
}

void RectControl::_UpdateView() {
    if (!m_View)
        return;
    m_View->setFont(_DesignFont());
    PlaceView();
    m_View->setEnabled(m_Design.Enabled);
    m_View->setVisible(m_Design.Visible);
    m_View->setToolTip(QString::fromStdString(m_Design.HelpTag));
    m_View->setFocusPolicy(m_Design.TabStop ? Qt::StrongFocus : Qt::NoFocus);
}

QFont RectControl::_DesignFont() const {
    QFont font = QApplication::font();
    if (m_Design.TextFont == "SmallSystem")
        font.setPointSizeF(font.pointSizeF() * 0.85);
    else if (m_Design.TextFont != "System" && !m_Design.TextFont.empty())
        font.setFamily(QString::fromStdString(m_Design.TextFont));
    if (m_Design.TextSize > 0)
        font.setPointSizeF(m_Design.TextSize);
    font.setBold(m_Design.Bold);
    font.setItalic(m_Design.Italic);
    font.setUnderline(m_Design.Underline);
    return font;
}

void RectControl::PlaceView() {
    if (!m_View)
        return;
    m_View->setGeometry(m_Design.Left, m_Design.Top, std::max(0, m_Design.Width),
                        std::max(0, m_Design.Height));
    _FitText();
}

void RectControl::_FitFont(const QString& text, const QSize& room, int flags) {
    if (m_View)
        m_View->setFont(FontToFit(_DesignFont(), text, room, flags));
}
