#pragma once

#include "Strings.h"

#include <array>
#include <cstdint>

/// Turns UTF-16 or UTF-32 text, taken in chunks of any size, into UTF-8. A code unit or a surrogate
/// pair cut between two chunks is joined again; a lone surrogate, a number that is no code point and
/// a truncated last unit become U+FFFD.
class UtfDecoder {
public:
    /// `unitBytes` is 2 for UTF-16 and 4 for UTF-32.
    UtfDecoder(size_t unitBytes, bool bigEndian) : m_UnitBytes(unitBytes), m_BigEndian(bigEndian) {}

    /// Appends the UTF-8 of the chunk to `out`; a piece cut off at its end waits for the next chunk.
    void Decode(const char* bytes, size_t size, String& out);
    /// Appends what is still waiting, which the text ended in the middle of.
    void Finish(String& out);

private:
    void Unit(uint32_t unit, String& out);
    uint32_t Join(const char* bytes) const;

    size_t m_UnitBytes;
    bool m_BigEndian;
    std::array<char, 4> m_Partial{};
    size_t m_PartialBytes = 0;
    uint32_t m_HighSurrogate = 0;
};
