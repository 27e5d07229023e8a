#pragma once

#include <ctime>

namespace qs::platform {

// The broken-down local time of `when`, through the system's thread-safe call.
std::tm LocalTime(std::time_t when);

}  // namespace qs::platform
