#pragma once

#include "RectControl.h"

#include <functional>

class Graphics;
class QPainter;

struct CanvasDesign : ControlDesign {
    /// Whether a click or the Tab key gives the canvas the keyboard focus.
    bool AcceptFocus = false;
};

/// A control that the application draws itself, in its Paint event.
class Canvas : public RectControl {
public:
    void ApplyDesign(const CanvasDesign& design);

    /// Raised whenever the canvas must be drawn; the graphics draw into the canvas for the length of
    /// the event only. An exception that escapes goes to the framework's unhandled-exception path.
    std::function<void(const Ref<Graphics>& g)> Paint;

    /// Called by the canvas's widget with a painter over it.
    void _Paint(QPainter& painter);

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;

private:
    CanvasDesign m_CanvasDesign;
};
