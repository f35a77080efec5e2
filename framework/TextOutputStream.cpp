#include "TextOutputStream.h"

#include "BinaryStream.h"

TextOutputStream::TextOutputStream(Ref<BinaryStream> stream) : m_Stream(std::move(stream)) {}

Ref<TextOutputStream> TextOutputStream::Create(const Ref<FolderItem>& file) {
    return New<TextOutputStream>(BinaryStream::Create(file, true));
}

void TextOutputStream::WriteLine(const String& text) {
    static const String lineEnding = EndOfLine();
    // The binary stream buffers, so two writes cost no more than one and copy no line.
    m_Stream->Write(text);
    m_Stream->Write(lineEnding);
}

void TextOutputStream::Commit() {
    m_Stream->Commit();
}
