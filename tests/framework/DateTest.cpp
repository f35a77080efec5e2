#include "Date.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Pins the local time zone for the life of the object.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) {
        if (const char* saved = std::getenv("TZ"))
            m_Saved = saved;
        m_HadZone = std::getenv("TZ") != nullptr;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (m_HadZone)
            setenv("TZ", m_Saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

  private:
    std::string m_Saved;
    bool m_HadZone = false;
};

} // namespace

TEST(DateTest, SQLDateTimeIsLocalTime) {
    TimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(Date(0).SQLDateTime(), "1970-01-01 01:00:00");
    EXPECT_EQ(Date(1717171717).SQLDateTime(), "2024-05-31 18:08:37");
}

TEST(DateTest, SQLDateTimePadsEveryField) {
    TimeZone utc("UTC0");
    EXPECT_EQ(Date(946782245).SQLDateTime(), "2000-01-02 03:04:05");
}

TEST(DateTest, NewDateIsNow) {
    std::time_t before = std::time(nullptr);
    String now = Date().SQLDateTime();
    ASSERT_EQ(now.size(), 19u) << now;
    EXPECT_EQ(now.substr(4, 1) + now.substr(7, 1) + now.substr(10, 1) + now.substr(13, 1) + now.substr(16, 1),
              "-- ::");
    EXPECT_GE(now, Date(before).SQLDateTime());
}
