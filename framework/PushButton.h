#pragma once

#include "RectControl.h"

#include <functional>

class QPushButton;

struct PushButtonDesign : ControlDesign {
    String Caption;
    /// Drawn as the window's default button. FIXME: Return does not click it; no window needs that.
    bool Default = false;
    /// Escape clicks the cancel button of the window.
    bool Cancel = false;
};

/// A push button that raises Action when the user clicks it.
class PushButton : public RectControl {
public:
    PushButton();
    ~PushButton() override;

    void ApplyDesign(const PushButtonDesign& design);

    String Caption() const { return m_ButtonDesign.Caption; }
    void Caption(const String& caption);
    bool Default() const { return m_ButtonDesign.Default; }
    void Default(bool v);
    bool Cancel() const { return m_ButtonDesign.Cancel; }
    void Cancel(bool v);

    /// Raised when the user clicks the button.
    std::function<void()> Action;

    QPushButton* _Button() const;

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;
    void _FitText() override;

private:
    void RaiseAction();

    PushButtonDesign m_ButtonDesign;
};
