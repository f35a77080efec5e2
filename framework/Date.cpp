#include "Date.h"

Date::Date() : m_Moment(std::time(nullptr)) {}

String Date::SQLDateTime() const {
    std::tm local{};
    localtime_r(&m_Moment, &local);
    char text[32];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return String(text, length);
}
