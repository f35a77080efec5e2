#pragma once

#include "Strings.h"

#include <utility>
#include <vector>

/// Keys and values, enumerated in the order the keys were first set. Raises KeyNotFoundException for
/// a key that is not there.
class Dictionary {
public:
    void Value(const String& key, const String& value);
    const String& Value(const String& key) const;
    bool HasKey(const String& key) const;
    int64_t Count() const { return static_cast<int64_t>(m_Pairs.size()); }
    const String& Key(int64_t index) const;

private:
    std::vector<std::pair<String, String>> m_Pairs;
};
