#pragma once

#include "Ref.h"

class FolderItem;
class BinaryStream;

/// Writes a text file line by line, each line ended by LF. Like BinaryStream.Create, the new file
/// replaces the old one only on Commit.
class TextOutputStream {
public:
    /// Raises NilObjectException for Nil and IOException when the file cannot be created.
    static Ref<TextOutputStream> Create(const Ref<FolderItem>& file);

    /// Raises IOException when writing fails.
    void WriteLine(const String& text);
    void Commit();

    explicit TextOutputStream(Ref<BinaryStream> stream);

private:
    Ref<BinaryStream> m_Stream;
};
