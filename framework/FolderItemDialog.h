#pragma once

#include "Ref.h"

class FolderItem;

/// A modal file dialog. ShowModal goes through the modal seam (MsgBox.h).
class FolderItemDialog {
  public:
    enum class Kind { Open, SaveAs };

    explicit FolderItemDialog(Kind kind) : m_Kind(kind) {}
    virtual ~FolderItemDialog() = default;

    Ref<FolderItem> InitialDirectory;
    String Title;
    String PromptText;
    String SuggestedFileName;
    String ActionButtonCaption;
    /// Names of registered file types, separated by ";"; their extensions narrow the files shown.
    String Filter;

    Kind DialogKind() const { return m_Kind; }
    /// The chosen file, or Nil when the user cancelled.
    Ref<FolderItem> ShowModal() const;

    /// The desktop's own dialog, used by the default modal answerer.
    Ref<FolderItem> _ShowDesktopDialog() const;

  private:
    Kind m_Kind;
};

class SaveAsDialog : public FolderItemDialog {
  public:
    SaveAsDialog() : FolderItemDialog(Kind::SaveAs) {}
};

class OpenDialog : public FolderItemDialog {
  public:
    OpenDialog() : FolderItemDialog(Kind::Open) {}
};
