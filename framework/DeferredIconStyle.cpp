#include "DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace {

// Stands for an icon that is made the first time anything asks for its pictures.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_Make(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // QIcon applies the screen's ratio itself, around each call of its engine. This engine calls
    // QIcon again, so every call below asks for the ratio that undoes it: the icon's own engine is
    // then asked for exactly the size that this one was.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        // The size comes multiplied by the ratio already. Dividing first is exact for a ratio above 1,
        // as QIcon rounds a multiplied size to the nearest; at 1 and below, QIcon asks for pixmap.
        if (!(scale > 1.0))
            return pixmap(size, mode, state);
        return Icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // QIcon's actualSize takes no ratio and would apply the screen's. The icon's own engine gives
        // each pixmap at its actual size, and keeps it in the toolkit's cache for the drawing that follows.
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (m_Make) {
            m_Icon = m_Make();
            m_Make = nullptr;
        }
        return m_Icon;
    }

    std::function<QIcon()> m_Make;
    QIcon m_Icon;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* style) : QProxyStyle(style) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    // The option lives only for this call.
    if (option)
        return QProxyStyle::standardIcon(icon, option, widget);
    QPointer<QWidget> asker(const_cast<QWidget*>(widget));
    QPointer<const DeferredIconStyle> style(this);
    return QIcon(new DeferredIconEngine([style, icon, asker]() -> QIcon {
        // The widget is only a hint; one gone by the time the icon is drawn leaves the style's
        // picture for any widget.
        if (style)
            return style->QProxyStyle::standardIcon(icon, nullptr, asker.data());
        // A style replaced before the icon was first drawn: the application's style now paints.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return QIcon();
        return QApplication::style()->standardIcon(icon, nullptr, asker.data());
    }));
}
