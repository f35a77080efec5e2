#include "WindowPrefs.h"

#include <cmath>
#include <limits>

namespace WindowPrefs {

String FileName() {
    return "app.wordloom.wordloom";
}

int32_t Value(const String& line) {
    return RealToInt32(Val(line));
}

String Line(int32_t value) {
    return Str(value);
}

// Casting a real outside the integer's range is undefined behaviour; a file edited by hand may hold
// any number at all.
int32_t RealToInt32(double real) {
    if (std::isnan(real))
        return 0;
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    if (real <= lowest)
        return std::numeric_limits<int32_t>::min();
    if (real >= highest)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(real);
}

} // namespace WindowPrefs
