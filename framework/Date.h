#pragma once

#include "Strings.h"

#include <ctime>

/// A moment, by default the moment of its creation.
class Date {
public:
    Date();
    explicit Date(std::time_t moment) : m_Moment(moment) {}

    /// "YYYY-MM-DD HH:MM:SS" in local time.
    String SQLDateTime() const;

private:
    std::time_t m_Moment;
};
