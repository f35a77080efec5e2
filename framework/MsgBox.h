#pragma once

#include "Ref.h"

class FolderItem;
class FolderItemDialog;

/// The one seam through which the framework talks modally with the user. By default it shows the
/// desktop's message boxes and file dialogs; another answerer can be put in its place.
class ModalAnswerer {
  public:
    virtual ~ModalAnswerer() = default;
    virtual void ShowMessage(const String& text) = 0;
    /// The chosen file, or Nil when the user cancelled.
    virtual Ref<FolderItem> ShowFileDialog(const FolderItemDialog& dialog) = 0;
};

/// Installs an answerer; Nil puts the desktop's dialogs back. Returns the one it replaced.
std::shared_ptr<ModalAnswerer> SetModalAnswerer(std::shared_ptr<ModalAnswerer> answerer);
std::shared_ptr<ModalAnswerer> CurrentModalAnswerer();

/// Shows the text in a message box and returns when the user has dismissed it.
void MsgBox(const String& text);
