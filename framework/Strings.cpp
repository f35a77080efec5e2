#include "Strings.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence that starts at `at`, or 0 when none does there. Overlong
// forms, surrogates and code points above U+10FFFF are not valid.
size_t SequenceLength(const String& s, size_t at) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[at + i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || at + length > s.size())
        return 0;
    unsigned char second = byte(1);
    unsigned char low = 0x80, high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    if (second < low || second > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byte(i)))
            return 0;
    }
    return length;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view s, size_t at) {
    while (at < s.size() && IsDigit(s[at]))
        ++at;
    return at;
}

// The length of the number at the start of `s` (no sign): digits, an optional fraction and an
// optional exponent; 0 when it starts with no digit.
size_t NumberLength(std::string_view s, bool& negativeExponent) {
    size_t end = SkipDigits(s, 0);
    bool digits = end > 0;
    if (end < s.size() && s[end] == '.') {
        size_t fractionEnd = SkipDigits(s, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits)
        return 0;
    if (end >= s.size() || (s[end] != 'e' && s[end] != 'E'))
        return end;
    size_t exponent = end + 1;
    negativeExponent = exponent < s.size() && s[exponent] == '-';
    if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-'))
        ++exponent;
    size_t exponentEnd = SkipDigits(s, exponent);
    return exponentEnd > exponent ? exponentEnd : end;
}

} // namespace

int64_t Len(const String& s) {
    int64_t count = 0;
    for (size_t at = 0; at < s.size(); ++count) {
        size_t length = SequenceLength(s, at);
        at += length > 0 ? length : 1;
    }
    return count;
}

int64_t LenB(const String& s) {
    return static_cast<int64_t>(s.size());
}

String Str(int64_t n) {
    return std::to_string(n);
}

String Chr(uint32_t code) {
    String s;
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | (code >> 6));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        if (code >= 0xD800 && code <= 0xDFFF)
            return s;
        s += static_cast<char>(0xE0 | (code >> 12));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code <= 0x10FFFF) {
        s += static_cast<char>(0xF0 | (code >> 18));
        s += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
}

String Trim(const String& s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    size_t first = 0;
    size_t last = s.size();
    while (first < last && blank(s[first]))
        ++first;
    while (last > first && blank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

double Val(const String& s) {
    std::string_view text(s);
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos)
        return 0;
    bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    text.remove_prefix(at);
    bool negativeExponent = false;
    size_t length = NumberLength(text, negativeExponent);
    if (length == 0)
        return 0;
    // from_chars, unlike strtod, ignores the locale that the GUI toolkit sets from the environment.
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + length, value);
    if (error == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

String NthField(const String& text, const String& separator, int64_t n) {
    if (separator.empty() || n < 1)
        return String();
    size_t start = 0;
    for (int64_t field = 1; field < n; ++field) {
        size_t found = text.find(separator, start);
        if (found == String::npos)
            return String();
        start = found + separator.size();
    }
    size_t end = text.find(separator, start);
    return text.substr(start, end == String::npos ? String::npos : end - start);
}

String DefineEncoding(String s, Encodings) {
    return s;
}

String ConvertEncoding(String s, Encodings) {
    return s;
}

String EndOfLine() {
    return "\n";
}

int64_t InStr(const String& s, const String& find) {
    if (find.empty())
        return 0;
    size_t found = s.find(find);
    return found == String::npos ? 0 : static_cast<int64_t>(found) + 1;
}

String ReplaceAll(const String& s, const String& find, const String& replacement) {
    if (find.empty())
        return s;
    String result;
    result.reserve(s.size());
    size_t start = 0;
    for (size_t found = s.find(find); found != String::npos; found = s.find(find, start)) {
        result.append(s, start, found - start);
        result += replacement;
        start = found + find.size();
    }
    result.append(s, start, String::npos);
    return result;
}
