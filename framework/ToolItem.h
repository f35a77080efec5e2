#pragma once

#include "Ref.h"

class Picture;
class QAction;

/// An item of a toolbar. Its state lives here; the toolbar's action only shows it.
class ToolItem {
  public:
    ToolItem();
    virtual ~ToolItem();
    ToolItem(const ToolItem&) = delete;
    ToolItem& operator=(const ToolItem&) = delete;

    const String& Name() const { return m_Name; }
    void Name(const String& name);
    bool Enabled() const { return m_Enabled; }
    void Enabled(bool enabled);
    const String& HelpTag() const { return m_HelpTag; }
    void HelpTag(const String& text);

    /// The action that shows the item on a toolbar; made by the toolbar that appends the item.
    void _SetAction(QAction* action);
    QAction* _Action() const;

  protected:
    virtual void _UpdateAction();

  private:
    String m_Name;
    bool m_Enabled = true;
    String m_HelpTag;
    struct Private;
    std::unique_ptr<Private> d;
};

/// A toolbar button with a caption and an icon, or a separator.
class ToolButton : public ToolItem {
  public:
    static constexpr int32_t ToolStylePushButton = 0;
    static constexpr int32_t ToolStyleSeparator = 1;

    const String& Caption() const { return m_Caption; }
    void Caption(const String& caption);
    const Ref<Picture>& Icon() const { return m_Icon; }
    /// Nil leaves the button without an icon.
    void Icon(const Ref<Picture>& icon);
    int32_t Style() const { return m_Style; }
    void Style(int32_t style);

  protected:
    void _UpdateAction() override;

  private:
    String m_Caption;
    Ref<Picture> m_Icon;
    int32_t m_Style = ToolStylePushButton;
};
