#include "Utf16Decoder.h"

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

void Utf16Decoder::Decode(const char* bytes, size_t size, String& out) {
    size_t at = 0;
    if (m_OddByte >= 0 && size > 0) {
        Unit(Join(static_cast<unsigned char>(m_OddByte), static_cast<unsigned char>(bytes[0])), out);
        m_OddByte = -1;
        at = 1;
    }
    for (; at + 1 < size; at += 2)
        Unit(Join(static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1])), out);
    if (at < size)
        m_OddByte = static_cast<unsigned char>(bytes[at]);
}

void Utf16Decoder::Finish(String& out) {
    if (m_HighSurrogate != 0)
        out += Chr(kReplacement);
    if (m_OddByte >= 0)
        out += Chr(kReplacement);
    m_HighSurrogate = 0;
    m_OddByte = -1;
}

void Utf16Decoder::Unit(uint16_t unit, String& out) {
    if (m_HighSurrogate != 0 && IsLowSurrogate(unit)) {
        out += Chr(0x10000 + ((uint32_t(m_HighSurrogate) - 0xD800) << 10) + (unit - 0xDC00));
        m_HighSurrogate = 0;
        return;
    }
    if (m_HighSurrogate != 0) {
        out += Chr(kReplacement);
        m_HighSurrogate = 0;
    }
    if (IsHighSurrogate(unit)) {
        m_HighSurrogate = unit;
        return;
    }
    if (unit < 0x80) {
        out += static_cast<char>(unit);
        return;
    }
    out += Chr(IsLowSurrogate(unit) ? kReplacement : unit);
}

uint16_t Utf16Decoder::Join(unsigned char first, unsigned char second) const {
    return m_BigEndian ? uint16_t(first << 8 | second) : uint16_t(second << 8 | first);
}
