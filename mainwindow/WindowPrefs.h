#pragma once

#include "Strings.h"

/// The preferences file of the main window's geometry: four lines, left, top, width and height.
namespace WindowPrefs {
/// The application's reverse-domain identifier, the file's whole name.
String FileName();
/// The number that a line holds, as a 32-bit integer.
int32_t Value(const String& line);
/// A value as its line holds it.
String Line(int32_t value);
/// A real as a 32-bit integer: the fraction dropped, beyond the range the nearest end of it, NaN 0.
int32_t RealToInt32(double real);
} // namespace WindowPrefs
