#pragma once

#include "Strings.h"

/// The properties that the fuzz targets check on every input, and that the main test suite checks on
/// every committed input. Each gives a description of what went wrong, or the empty string when the
/// input keeps the property.
namespace FuzzChecks {
/// The dictionary reader and writer: a file that ends with its delimiter is saved back as the same
/// bytes up to the order of its words; a last word without its delimiter is kept.
String CheckDictionaryFile(const String& bytes);
/// The preferences reader: any file gives four values, each of which reads back as written.
String CheckWindowPrefs(const String& bytes);
/// The form encoder: the body of three fields, whose values the bytes give, decodes back to them.
String CheckFormData(const String& bytes);
} // namespace FuzzChecks
