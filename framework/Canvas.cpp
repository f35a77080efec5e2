#include "Canvas.h"

#include "Graphics.h"
#include "Runtime.h"

#include <QPainter>
#include <QWidget>

namespace {

class CanvasView : public QWidget {
public:
    CanvasView(Canvas& owner, QWidget* parent) : QWidget(parent), m_Owner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_Owner._Paint(painter);
    }

private:
    Canvas& m_Owner;
};

} // namespace

void Canvas::ApplyDesign(const CanvasDesign& design) {
    m_CanvasDesign = design;
    RectControl::ApplyDesign(design);
}

void Canvas::_Paint(QPainter& painter) {
    if (!Paint)
        return;
    Ref<Graphics> g = New<Graphics>(painter);
    Dispatch([&] { Paint(g); });
}

QWidget* Canvas::_CreateView(QWidget* parent) {
    return new CanvasView(*this, parent);
}

void Canvas::_UpdateView() {
    RectControl::_UpdateView();
    if (QWidget* view = _View(); view && !m_CanvasDesign.AcceptFocus)
        view->setFocusPolicy(Qt::NoFocus);
}
