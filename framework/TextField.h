#pragma once

#include "Ref.h"

class QLineEdit;

/// A one-line text field. The field being edited in a list box cell (Listbox.ActiveCell) is one.
/// Positions and lengths count characters; a length past the end of the text is cut to it.
class TextField {
  public:
    explicit TextField(QLineEdit* editor);
    ~TextField();

    /// Raises NilObjectException once the field has gone.
    String Text() const;
    void Text(const String& text);
    int64_t SelStart() const;
    void SelStart(int64_t start);
    int64_t SelLength() const;
    void SelLength(int64_t length);
    String SelText() const;

    QLineEdit* _Editor() const;

  private:
    struct Private;
    std::unique_ptr<Private> d;
};
