#pragma once

#include <compare>
#include <ctime>

namespace qs::platform {

// A date and time of day as the local clock shows it.
struct DateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;

  friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// The broken-down local time of `when`, through the system's thread-safe call.
std::tm LocalTime(std::time_t when);

// The same as a DateTime.
DateTime LocalDateTime(std::time_t when);

}  // namespace qs::platform
