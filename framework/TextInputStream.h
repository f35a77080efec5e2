#pragma once

#include "Ref.h"

class FolderItem;

/// Reads a text file line by line; a line ends at LF, CR LF or CR.
class TextInputStream {
public:
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    /// Raises IOException when the file cannot be opened, NilObjectException for Nil.
    static Ref<TextInputStream> Open(const Ref<FolderItem>& file);

    /// Whether nothing more can be read (EOF is a macro of the C library, hence the name).
    bool AtEOF() const;
    /// The next line without its line ending; the empty string once the file is exhausted. Raises
    /// IOException on a read error. Read first as UTF8, a file that starts with a byte-order mark is
    /// taken as text: a UTF-8 mark is dropped, and after a UTF-16 or UTF-32 one (LE or BE) every line
    /// comes decoded to UTF-8. Without an encoding the lines are the file's bytes as they are.
    String ReadLine(Encodings encoding = Encodings::None);

    struct Private;
    explicit TextInputStream(std::unique_ptr<Private> p);

private:
    std::unique_ptr<Private> d;
};
