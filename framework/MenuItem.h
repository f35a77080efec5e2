#pragma once

#include "Ref.h"

#include <optional>
#include <vector>

class QAction;

/// An item of a menu bar: a menu bar, a menu, a command or a separator (caption "-").
class MenuItem : public std::enable_shared_from_this<MenuItem> {
  public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    String Name;
    /// "&" marks the mnemonic letter.
    String Text;
    /// "Cmd+" and a letter, Cmd being Ctrl here; empty means no shortcut, unset likewise.
    std::optional<String> KeyboardShortcut;
    /// Enabled by the framework when the window in front handles the item (or the framework does).
    bool AutoEnable = true;

    bool Enabled() const { return m_Enabled; }
    void Enabled(bool enabled);
    bool IsSeparator() const { return Text == "-"; }

    void Append(const Ref<MenuItem>& item);
    int64_t Count() const { return static_cast<int64_t>(m_Children.size()); }
    /// The child at the 0-based index; OutOfBoundsException past the end.
    Ref<MenuItem> Item(int64_t index) const;
    /// The direct child of that name, or Nil.
    Ref<MenuItem> Child(const String& name) const;
    /// The item of that name at any depth below this one, or Nil.
    Ref<MenuItem> _Lookup(const String& name) const;
    const std::vector<Ref<MenuItem>>& Children() const { return m_Children; }

    /// Each window's menu bar shows the item through an action of its own.
    void _AddAction(QAction* action);

  private:
    void UpdateActions();

    bool m_Enabled = true;
    std::vector<Ref<MenuItem>> m_Children;
    struct Actions;
    std::unique_ptr<Actions> m_Actions;
};

/// The About item, which the framework may show where the desktop expects it.
class AppleMenuItem : public MenuItem {};
/// The Quit item: chosen with no handler that takes it, it quits the application.
class QuitMenuItem : public MenuItem {};
