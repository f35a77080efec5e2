#pragma once

#include "Listbox.h"

#include <vector>

/// The texts of a list's rows, first row first.
inline std::vector<String> ListRows(const Ref<Listbox>& list) {
    std::vector<String> rows;
    for (int64_t row = 0; row < list->ListCount(); ++row)
        rows.push_back(list->List(row));
    return rows;
}
