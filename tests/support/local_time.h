#pragma once

#include <ctime>

namespace zeph::test {

// The moment a local date and time names, in the time zone the tests run in,
// so that dates in file names and banners come out the same everywhere.
inline std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

}  // namespace zeph::test
