#include "DeferredIconStyle.h"

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
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
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

DeferredIconStyle::DeferredIconStyle() = default;

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    // The option lives only for this call; a widget may be gone by the time the icon is drawn.
    if (option)
        return QProxyStyle::standardIcon(icon, option, widget);
    QPointer<QWidget> asker(const_cast<QWidget*>(widget));
    QPointer<DeferredIconStyle> style(const_cast<DeferredIconStyle*>(this));
    return QIcon(new DeferredIconEngine([style, icon, asker, hadWidget = widget != nullptr]() -> QIcon {
        if (!style || (hadWidget && !asker))
            return QIcon();
        return style->QProxyStyle::standardIcon(icon, nullptr, asker.data());
    }));
}
