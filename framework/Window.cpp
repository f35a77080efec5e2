#include "Window.h"

#include "Application.h"
#include "Listbox.h"
#include "MenuBarView.h"
#include "MenuItem.h"
#include "RectControl.h"
#include "Runtime.h"
#include "ScreenPlacement.h"
#include "StandardEditing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMargins>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace {

// QWidget's own limit on sizes; positions are kept within it too, so that a position and a size
// added up never overflow.
constexpr int32_t kLargestSize = 16777215;

class NativeWindow : public QMainWindow {
public:
    explicit NativeWindow(Window& owner) : m_Owner(owner) {}

protected:
    bool event(QEvent* e) override {
        // Menu items are enabled in a pass of their own; a shortcut must see the pass's result.
        if (e->type() == QEvent::ShortcutOverride)
            m_Owner._EnableMenuItems();
        return QMainWindow::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        e->accept();
        m_Owner._NativeClosing();
    }
    void moveEvent(QMoveEvent* e) override {
        QMainWindow::moveEvent(e);
        m_Owner._NativeMoved();
    }

private:
    Window& m_Owner;
};

class ContentArea : public QWidget {
public:
    ContentArea(Window& owner, QWidget* parent) : QWidget(parent), m_Owner(owner) {}

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        m_Owner._ContentResized(width(), height());
    }

private:
    Window& m_Owner;
};

int32_t Clamp(int32_t v, int32_t low, int32_t high) {
    return std::max(low, std::min(v, std::max(low, high)));
}

bool MenuItemAvailable(const Window& window, const Ref<MenuItem>& item) {
    if (item->Count() > 0 || IsA<QuitMenuItem>(item))
        return true;
    return window._HasMenuHandler(item->Name) || StandardEditing::IsAvailable(item->Name);
}

void AutoEnable(const Window& window, const Ref<MenuItem>& parent) {
    for (const Ref<MenuItem>& item : parent->Children()) {
        item->Enabled(item->AutoEnable && MenuItemAvailable(window, item));
        AutoEnable(window, item);
    }
}

std::vector<QRect> AvailableAreas() {
    std::vector<QRect> areas;
    for (QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

// The desktop's frame around the window, title bar included; none until the platform tells.
QMargins FrameMargins(const QWidget* window) {
    QRect frame = window->frameGeometry();
    QRect inner = window->geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

void QuitFromMenu() {
    // Every window closes as if the user closed it, so that each one's Close handler runs.
    std::vector<Ref<Window>> open = WindowList::OpenWindows();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        (*it)->Close();
    Quit(0);
}

} // namespace

struct Window::Native {
    NativeWindow* window = nullptr;
    ContentArea* content = nullptr;
};

Window::Window() : m_Native(std::make_unique<Native>()) {
    m_Native->window = new NativeWindow(*this);
    m_Native->content = new ContentArea(*this, m_Native->window);
    m_Native->window->setCentralWidget(m_Native->content);
    m_Native->window->setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window() {
    m_MenuBarView.reset();
    m_Controls.clear();
    // The native window may be in the middle of its own close event.
    m_Native->window->hide();
    m_Native->window->deleteLater();
}

void Window::_Construct() {
    Ref<Window> self(shared_from_this());
    m_Open = true;
    WindowList::_Opened(self);
    Layout();
    CreateControls();
    AddMenuHandlers(self);
    if (!m_MenuBar && m_Design.MenuBarVisible) {
        if (Ref<Application> app = _GetAppObject(); app && app->MenuBar)
            m_MenuBarView = std::make_unique<MenuBarView>(*this, m_Native->window, app->MenuBar);
    }
    _FitNativeToContent();
    Event_Open();
    if (m_Design.Visible && m_Open)
        ShowFirstTime();
}

void Window::ApplyDesign(const WindowDesign& design) {
    m_Design = design;
    m_Width = Clamp(design.Width, design.MinWidth, design.MaxWidth);
    m_Height = Clamp(design.Height, design.MinHeight, design.MaxHeight);
    m_Native->window->setWindowTitle(QString::fromStdString(design.Title));
    if (design.HasBackColor) {
        QPalette palette = m_Native->content->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(design.BackColor));
        m_Native->content->setPalette(palette);
        m_Native->content->setAutoFillBackground(true);
    }
    ApplyFlags();
    _FitNativeToContent();
}

int32_t Window::Left() const {
    return m_Shown ? m_Native->window->geometry().x() : m_Left;
}

int32_t Window::Top() const {
    return m_Shown ? m_Native->window->geometry().y() : m_Top;
}

void Window::Left(int32_t v) {
    m_Left = Clamp(v, -kLargestSize, kLargestSize);
    m_Top = Top();
    m_PositionSet = true;
    if (m_Shown)
        m_Native->window->setGeometry(QRect(QPoint(m_Left, m_Top), m_Native->window->size()));
}

void Window::Top(int32_t v) {
    m_Left = Left();
    m_Top = Clamp(v, -kLargestSize, kLargestSize);
    m_PositionSet = true;
    if (m_Shown)
        m_Native->window->setGeometry(QRect(QPoint(m_Left, m_Top), m_Native->window->size()));
}

void Window::Width(int32_t v) {
    _ContentResized(Clamp(v, m_Design.MinWidth, m_Design.MaxWidth), m_Height);
    _FitNativeToContent();
}

void Window::Height(int32_t v) {
    _ContentResized(m_Width, Clamp(v, m_Design.MinHeight, m_Design.MaxHeight));
    _FitNativeToContent();
}

void Window::Title(const String& title) {
    m_Design.Title = title;
    m_Native->window->setWindowTitle(QString::fromStdString(title));
}

bool Window::Visible() const {
    return m_Native->window->isVisible();
}

void Window::Show() {
    if (!m_Open)
        return;
    if (!m_Shown)
        ShowFirstTime();
    m_Native->window->show();
    m_Native->window->raise();
    m_Native->window->activateWindow();
}

void Window::Close() {
    if (!m_Open || m_Closing)
        return;
    m_Native->window->close();
}

void Window::MenuBar(const Ref<MenuItem>& bar) {
    m_MenuBar = bar;
    m_MenuBarView.reset();
    if (bar)
        m_MenuBarView = std::make_unique<MenuBarView>(*this, m_Native->window, bar);
    _FitNativeToContent();
}

void Window::_AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    m_MenuHandlers[itemName] = std::move(handler);
}

bool Window::_HasMenuHandler(const String& itemName) const {
    return m_MenuHandlers.count(itemName) > 0;
}

void Window::_HandleMenuCommand(const Ref<MenuItem>& item) {
    auto handler = m_MenuHandlers.find(item->Name);
    if (handler != m_MenuHandlers.end()) {
        _EndEditing();
        if (handler->second())
            return;
    }
    if (IsA<QuitMenuItem>(item)) {
        QuitFromMenu();
        return;
    }
    StandardEditing::Perform(item->Name);
}

void Window::_EndEditing() {
    for (const Ref<RectControl>& control : m_Controls) {
        if (auto* list = dynamic_cast<Listbox*>(control.Get()))
            list->_EndEditing();
    }
}

void Window::_EnableMenuItems() {
    Ref<MenuItem> bar = m_MenuBar;
    if (!bar && m_MenuBarView) {
        if (Ref<Application> app = _GetAppObject())
            bar = app->MenuBar;
    }
    if (!bar)
        return;
    AutoEnable(*this, bar);
    Dispatch([this] { Event_EnableMenuItems(); });
}

void Window::_AddControl(const String& name, const Ref<RectControl>& control) {
    control->_Attach(*this, name);
    m_Controls.push_back(control);
    _FitNativeToContent();
}

Ref<RectControl> Window::_FindControl(const String& name) const {
    for (const Ref<RectControl>& control : m_Controls) {
        if (control->Name() == name)
            return control;
    }
    return nullptr;
}

QMainWindow* Window::_Native() const {
    return m_Native->window;
}

QWidget* Window::_Content() const {
    return m_Native->content;
}

void Window::_NativeClosing() {
    if (!m_Open || m_Closing)
        return;
    Ref<Window> self(shared_from_this());
    m_Closing = true;
    Dispatch([this] { Event_Close(); });
    m_Open = false;
    WindowList::_Closed(this);
    Ref<Application> app = _GetAppObject();
    if (app && app->AutoQuit && WindowList::OpenWindows().empty())
        Quit(0);
}

void Window::_ContentResized(int32_t width, int32_t height) {
    if (width == m_Width && height == m_Height)
        return;
    int32_t oldWidth = m_Width, oldHeight = m_Height;
    m_Width = width;
    m_Height = height;
    for (const Ref<RectControl>& control : m_Controls)
        control->_FollowWindowResize(oldWidth, oldHeight, width, height);
}

void Window::_NativeMoved() {
    if (!m_Shown)
        return;
    QMainWindow* native = m_Native->window;
    m_Left = native->geometry().x();
    m_Top = native->geometry().y();
    // Most desktops give the frame only once the window shows; the title bar must be on the screen too.
    if (m_FrameFitted || FrameMargins(native).isNull())
        return;
    m_FrameFitted = true;
    PutOnScreen(native->geometry(), true);
}

void Window::_FitNativeToContent() {
    int32_t chrome = 0;
    if (QWidget* bar = m_Native->window->menuWidget(); bar && m_MenuBarView)
        chrome += bar->sizeHint().height();
    for (QToolBar* toolbar : m_Native->window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (!toolbar->isHidden())
            chrome += toolbar->sizeHint().height();
    }
    ApplySizeLimits();
    m_Native->window->resize(m_Width, m_Height + chrome);
    m_Native->content->resize(m_Width, m_Height);
}

void Window::ApplyFlags() {
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (m_Design.CloseButton)
        flags |= Qt::WindowCloseButtonHint;
    if (m_Design.MinimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_Design.MaximizeButton && m_Design.Resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    m_Native->window->setWindowFlags(flags);
}

void Window::ApplySizeLimits() {
    QWidget* content = m_Native->content;
    if (!m_Design.Resizeable) {
        content->setFixedSize(m_Width, m_Height);
        return;
    }
    content->setMinimumSize(std::min(m_Design.MinWidth, m_Width), std::min(m_Design.MinHeight, m_Height));
    content->setMaximumSize(std::min(m_Design.MaxWidth, kLargestSize),
                            std::min(m_Design.MaxHeight, kLargestSize));
}

void Window::ShowFirstTime() {
    QMainWindow* native = m_Native->window;
    bool placed = m_PositionSet || m_Design.Placement == 1;
    PutOnScreen(GeometryToShow(), placed);
    m_Shown = true;
    native->show();
    if (m_Design.FullScreen)
        native->showFullScreen();
}

QRect Window::GeometryToShow() const {
    QMainWindow* native = m_Native->window;
    QRect geometry(QPoint(m_Left, m_Top), native->size());
    if (m_PositionSet)
        return geometry;
    QRect screen = native->screen()->availableGeometry();
    if (m_Design.Placement != 1)
        return geometry.translated(screen.topLeft() - geometry.topLeft());
    Ref<Window> front = WindowList::Frontmost(this);
    geometry.moveCenter(front && front->m_Shown ? front->_Native()->geometry().center() : screen.center());
    return geometry;
}

void Window::PutOnScreen(const QRect& geometry, bool move) {
    // A position remembered from a screen that is gone, or a size from a larger one, would leave
    // the title bar, the menus or an edge where nobody can reach them.
    QMainWindow* native = m_Native->window;
    QMargins frame = FrameMargins(native);
    QRect placed = PlaceOnScreens(geometry + frame, AvailableAreas()) - frame;
    int32_t chrome = native->height() - m_Height;
    ShrinkContent(placed.width(), placed.height() - chrome);
    if (move)
        native->setGeometry(QRect(placed.topLeft(), native->size()));
}

void Window::ShrinkContent(int32_t width, int32_t height) {
    // Below the minimum size only where the screen itself is smaller.
    width = std::max(1, std::min(width, m_Width));
    height = std::max(1, std::min(height, m_Height));
    if (width == m_Width && height == m_Height)
        return;
    _ContentResized(width, height);
    _FitNativeToContent();
}

namespace {

struct Lists {
    std::vector<Ref<Window>> open;
    std::vector<std::pair<String, Ref<Window>>> implicit;
};

Lists& TheLists() {
    static Lists lists;
    return lists;
}

} // namespace

namespace WindowList {

std::vector<Ref<Window>> OpenWindows() {
    return TheLists().open;
}

Ref<Window> Frontmost(const Window* except) {
    QWidget* active = QApplication::activeWindow();
    Ref<Window> last;
    for (const Ref<Window>& window : TheLists().open) {
        if (window.Get() == except)
            continue;
        if (window->_Native() == active)
            return window;
        last = window;
    }
    return last;
}

void _Opened(const Ref<Window>& window) {
    TheLists().open.push_back(window);
}

void _Closed(Window* window) {
    std::erase_if(TheLists().open, [window](const Ref<Window>& w) { return w.Get() == window; });
    _ForgetImplicitInstance(window);
}

Ref<Window> FindImplicitInstance(const String& key) {
    for (const auto& [name, window] : TheLists().implicit) {
        if (name == key && window->IsOpen())
            return window;
    }
    return nullptr;
}

void _RegisterImplicitInstance(const String& key, const Ref<Window>& window) {
    TheLists().implicit.emplace_back(key, window);
}

void _ForgetImplicitInstance(Window* window) {
    std::erase_if(TheLists().implicit, [window](const auto& entry) { return entry.second.Get() == window; });
}

void _Release() {
    Lists& lists = TheLists();
    std::vector<std::pair<String, Ref<Window>>> implicit;
    implicit.swap(lists.implicit);
    implicit.clear();
    std::vector<Ref<Window>> open;
    open.swap(lists.open);
    open.clear();
}

} // namespace WindowList
