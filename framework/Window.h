#pragma once

#include "Ref.h"

#include <functional>
#include <map>
#include <vector>

class QMainWindow;
class QRect;
class QWidget;
class MenuItem;
class RectControl;
class MenuBarView;

/// The design record that a window's Layout applies in one call.
struct WindowDesign {
    /// 0 lets the desktop place the window; 1 centres it on the window in front.
    int32_t Placement = 0;
    int32_t Width = 300, Height = 300;
    int32_t MinWidth = 64, MinHeight = 64, MaxWidth = 32000, MaxHeight = 32000;
    /// Every frame code gives an ordinary top-level window here.
    int32_t Frame = 0;
    bool Composite = false;
    bool HasBackColor = false;
    uint32_t BackColor = 0xFFFFFF;
    String Title;
    bool Visible = true;
    bool FullScreen = false;
    bool MenuBarVisible = true;
    bool CloseButton = true;
    bool Resizeable = true;
    bool LiveResize = true;
    bool MaximizeButton = true;
    bool MinimizeButton = true;
    int32_t MacProcID = 0;
};

/// A top-level window. Left, Top, Width and Height are those of its content area, below the menu
/// bar and toolbar, in which its controls are placed.
class Window : public std::enable_shared_from_this<Window> {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    /// Builds the window: raises Layout, CreateControls and AddMenuHandlers, then Open, and shows the
    /// window when its design is visible. Exceptions pass to the caller.
    void _Construct();

    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(const Ref<Window>& window) { (void)window; }
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}

    void ApplyDesign(const WindowDesign& design);
    const WindowDesign& Design() const { return m_Design; }

    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const { return m_Width; }
    int32_t Height() const { return m_Height; }
    void Left(int32_t v);
    void Top(int32_t v);
    /// Kept within MinWidth and MaxWidth.
    void Width(int32_t v);
    void Height(int32_t v);
    String Title() const { return m_Design.Title; }
    void Title(const String& title);

    bool Visible() const;
    /// Shows the window and brings it to the front.
    void Show();
    /// Raises Close, then closes the window for good.
    void Close();
    bool IsOpen() const { return m_Open; }

    Ref<MenuItem> MenuBar() const { return m_MenuBar; }
    void MenuBar(const Ref<MenuItem>& bar);
    void _AddMenuHandler(const String& itemName, std::function<bool()> handler);
    bool _HasMenuHandler(const String& itemName) const;
    /// Runs the command of the item: this window's handler first; when none takes it, the framework's
    /// standard action (Quit, the standard editing of the focused text).
    void _HandleMenuCommand(const Ref<MenuItem>& item);
    /// Ends the editing of list cells, so that a command sees the text being typed.
    void _EndEditing();
    /// The enabling pass that runs before the menus show and before a shortcut is matched.
    void _EnableMenuItems();

    void _AddControl(const String& name, const Ref<RectControl>& control);
    /// Nil when the window has no control of that name.
    Ref<RectControl> _FindControl(const String& name) const;
    /// The control of that name cast to T: Nil when there is none, IllegalCastException for
    /// another class.
    template <class T> Ref<T> Control(const String& name) const;
    const std::vector<Ref<RectControl>>& Controls() const { return m_Controls; }

    QMainWindow* _Native() const;
    QWidget* _Content() const;
    /// Called by the native window.
    void _NativeClosing();
    void _ContentResized(int32_t width, int32_t height);
    void _NativeMoved();
    /// Keeps the content area at Width x Height after a bar was added or removed.
    void _FitNativeToContent();

private:
    void ApplyFlags();
    void ApplySizeLimits();
    void ShowFirstTime();
    /// Where the window shows first: where it was put, centred on the window in front, or on the screen.
    QRect GeometryToShow() const;
    /// Puts the window, frame included, wholly on a screen; `geometry` is where it would go, and the
    /// window is moved only when `move` says so.
    void PutOnScreen(const QRect& geometry, bool move);
    void ShrinkContent(int32_t width, int32_t height);

    struct Native;
    std::unique_ptr<Native> m_Native;
    WindowDesign m_Design;
    int32_t m_Left = 0, m_Top = 0, m_Width = 300, m_Height = 300;
    bool m_PositionSet = false;
    bool m_Open = false;
    bool m_Closing = false;
    bool m_Shown = false;
    bool m_FrameFitted = false;
    Ref<MenuItem> m_MenuBar;
    std::unique_ptr<MenuBarView> m_MenuBarView;
    std::map<String, std::function<bool()>> m_MenuHandlers;
    std::vector<Ref<RectControl>> m_Controls;
};

template <class T> Ref<T> Window::Control(const String& name) const {
    return Cast<T>(_FindControl(name));
}

/// The framework's lists of windows.
namespace WindowList {
/// Every window that is open now, in the order they were opened.
std::vector<Ref<Window>> OpenWindows();
/// The window in front: the active one, or the last opened; never `except`.
Ref<Window> Frontmost(const Window* except = nullptr);
void _Opened(const Ref<Window>& window);
void _Closed(Window* window);
/// The open implicit instance registered under the key ("winMain.winMain"), or Nil.
Ref<Window> FindImplicitInstance(const String& key);
void _RegisterImplicitInstance(const String& key, const Ref<Window>& window);
void _ForgetImplicitInstance(Window* window);
/// Releases the lists at shut-down: implicit instances first, then the window lists.
void _Release();
} // namespace WindowList

/// The single-instance window pattern: the open instance of W, or a new one, built and shown.
template <class W, class... Args> Ref<W> ImplicitInstance(const String& key, Args&&... args) {
    if (Ref<Window> open = WindowList::FindImplicitInstance(key))
        return Cast<W>(open);
    Ref<W> window = New<W>(std::forward<Args>(args)...);
    WindowList::_RegisterImplicitInstance(key, window);
    try {
        window->_Construct();
    } catch (...) {
        WindowList::_Closed(window.Get());
        throw;
    }
    return window;
}
