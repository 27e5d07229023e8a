#include "platform/localtime.h"

namespace qs::platform {

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_s(&local, &when);
  return local;
}

}  // namespace qs::platform
