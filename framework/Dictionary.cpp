#include "Dictionary.h"

#include "RuntimeException.h"

#include <algorithm>

namespace {

template <class Pairs> auto FindKey(Pairs& pairs, const String& key) {
    return std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
}

} // namespace

void Dictionary::Value(const String& key, const String& value) {
    auto found = FindKey(m_Pairs, key);
    if (found != m_Pairs.end()) {
        found->second = value;
        return;
    }
    m_Pairs.emplace_back(key, value);
}

const String& Dictionary::Value(const String& key) const {
    auto found = FindKey(m_Pairs, key);
    if (found == m_Pairs.end())
        throw KeyNotFoundException("No key \"" + key + "\".");
    return found->second;
}

bool Dictionary::HasKey(const String& key) const {
    return FindKey(m_Pairs, key) != m_Pairs.end();
}

const String& Dictionary::Key(int64_t index) const {
    if (index < 0 || index >= Count())
        throw OutOfBoundsException("Index " + Str(index) + " is outside 0.." + Str(Count() - 1) + ".");
    return m_Pairs[static_cast<size_t>(index)].first;
}
