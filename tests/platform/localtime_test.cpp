#include "platform/localtime.h"

#include <gtest/gtest.h>

#include <ctime>

namespace qs::platform {
namespace {

TEST(LocalTime, givesTheFieldsOfTheSameMoment) {
  const std::time_t now = std::time(nullptr);
  for (const std::time_t when : {std::time_t{86400 * 400}, std::time_t{1700000000}, now}) {
    std::tm local = LocalTime(when);
    EXPECT_GE(local.tm_year, 70) << when;
    EXPECT_LE(local.tm_mon, 11) << when;
    EXPECT_GE(local.tm_mday, 1) << when;
    // The fields, read back as a local time, name the same moment.
    EXPECT_EQ(std::mktime(&local), when);
  }
}

}  // namespace
}  // namespace qs::platform
