#include "platform/localtime.h"

namespace qs::platform {

DateTime LocalDateTime(std::time_t when) {
  const std::tm local = LocalTime(when);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace qs::platform
