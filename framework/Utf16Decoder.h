#pragma once

#include "Strings.h"

#include <cstdint>

/// Turns UTF-16 text, taken in chunks of any size, into UTF-8. A code unit or a surrogate pair cut
/// between two chunks is joined again; a lone surrogate and an odd last byte become U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : m_BigEndian(bigEndian) {}

    /// Appends the UTF-8 of the chunk to `out`; a piece cut off at its end waits for the next chunk.
    void Decode(const char* bytes, size_t size, String& out);
    /// Appends what is still waiting, which the text ended in the middle of.
    void Finish(String& out);

private:
    void Unit(uint16_t unit, String& out);
    uint16_t Join(unsigned char first, unsigned char second) const;

    bool m_BigEndian;
    int m_OddByte = -1;
    uint16_t m_HighSurrogate = 0;
};
