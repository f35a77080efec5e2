#pragma once

#include "FolderItem.h"
#include "FolderItemDialog.h"
#include "MsgBox.h"

#include <deque>
#include <functional>
#include <vector>

/// Answers the modal seam in tests: records every message, and answers each file dialog with the
/// next queued file (Nil, a cancel, when none is queued).
class RecordingAnswerer : public ModalAnswerer {
public:
    void ShowMessage(const String& text) override {
        m_Messages.push_back(text);
        if (OnMessage)
            OnMessage(text);
    }
    Ref<FolderItem> ShowFileDialog(const FolderItemDialog& dialog) override {
        m_Dialogs.push_back(dialog);
        if (m_Files.empty())
            return nullptr;
        Ref<FolderItem> file = m_Files.front();
        m_Files.pop_front();
        return file;
    }

    void QueueFile(const Ref<FolderItem>& file) { m_Files.push_back(file); }
    const std::vector<String>& Messages() const { return m_Messages; }
    const std::vector<FolderItemDialog>& Dialogs() const { return m_Dialogs; }
    void Clear() { m_Messages.clear(); }

    std::function<void(const String&)> OnMessage;

private:
    std::vector<String> m_Messages;
    std::vector<FolderItemDialog> m_Dialogs;
    std::deque<Ref<FolderItem>> m_Files;
};
