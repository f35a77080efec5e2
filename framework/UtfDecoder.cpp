#include "UtfDecoder.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendCodePoint(uint32_t code, String& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    const bool valid = code <= 0x10FFFF && !IsHighSurrogate(code) && !IsLowSurrogate(code);
    out += Chr(valid ? code : kReplacement);
}

} // namespace

void UtfDecoder::Decode(const char* bytes, size_t size, String& out) {
    size_t at = 0;
    if (m_PartialBytes > 0) {
        at = std::min(size, m_UnitBytes - m_PartialBytes);
        std::copy_n(bytes, at, m_Partial.begin() + static_cast<std::ptrdiff_t>(m_PartialBytes));
        m_PartialBytes += at;
        if (m_PartialBytes < m_UnitBytes)
            return;
        Unit(Join(m_Partial.data()), out);
        m_PartialBytes = 0;
    }
    for (; size - at >= m_UnitBytes; at += m_UnitBytes)
        Unit(Join(bytes + at), out);
    std::copy(bytes + at, bytes + size, m_Partial.begin());
    m_PartialBytes = size - at;
}

void UtfDecoder::Finish(String& out) {
    if (m_HighSurrogate != 0)
        out += Chr(kReplacement);
    if (m_PartialBytes > 0)
        out += Chr(kReplacement);
    m_HighSurrogate = 0;
    m_PartialBytes = 0;
}

// Only UTF-16 pairs surrogates; in UTF-32 a surrogate is no code point and stays alone.
void UtfDecoder::Unit(uint32_t unit, String& out) {
    if (m_HighSurrogate != 0 && IsLowSurrogate(unit)) {
        out += Chr(0x10000 + ((m_HighSurrogate - 0xD800) << 10) + (unit - 0xDC00));
        m_HighSurrogate = 0;
        return;
    }
    if (m_HighSurrogate != 0) {
        out += Chr(kReplacement);
        m_HighSurrogate = 0;
    }
    if (m_UnitBytes == 2 && IsHighSurrogate(unit)) {
        m_HighSurrogate = unit;
        return;
    }
    AppendCodePoint(unit, out);
}

uint32_t UtfDecoder::Join(const char* bytes) const {
    uint32_t unit = 0;
    for (size_t i = 0; i < m_UnitBytes; ++i) {
        const size_t from = m_BigEndian ? i : m_UnitBytes - 1 - i;
        unit = unit << 8 | static_cast<unsigned char>(bytes[from]);
    }
    return unit;
}
