#pragma once

#include <cstdint>
#include <string>

/// The framework's strings hold UTF-8 bytes. Bytes that are not valid UTF-8 are kept as they are,
/// so that text read from a file and written back without a change stays byte for byte the same.
using String = std::string;

enum class Encodings { None, UTF8 };

/// Characters (UTF-8 code points; a byte that starts no valid sequence counts as one).
int64_t Len(const String& s);
/// Bytes.
int64_t LenB(const String& s);
String Str(int64_t n);
/// The one-character string of a Unicode code point, as UTF-8; empty for a surrogate or a number
/// beyond U+10FFFF, which are no characters.
String Chr(uint32_t code);
/// Drops white space (blanks, tabs, line endings and the other ASCII controls below 33) at both ends.
String Trim(const String& s);
/// The number at the start of the text, after leading blanks; 0 when there is none.
double Val(const String& s);
/// The n-th field (from 1) that the separator cuts the text into; empty past the last field, for n
/// below 1 and for an empty separator.
String NthField(const String& text, const String& separator, int64_t n);
/// Only labels the bytes: nothing is converted or checked.
String DefineEncoding(String s, Encodings encoding);
/// Our strings are UTF-8 already, so converting to UTF-8 keeps the bytes.
String ConvertEncoding(String s, Encodings encoding);
/// The platform's line ending: LF.
String EndOfLine();
/// The index (from 1) of the first occurrence of `find` in `s`, or 0 (also for an empty `find`).
int64_t InStr(const String& s, const String& find);
/// Every occurrence of `find` in `s` replaced by `replacement`.
String ReplaceAll(const String& s, const String& find, const String& replacement);
