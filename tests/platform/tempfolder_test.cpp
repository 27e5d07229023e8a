#include "platform/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/systemtraits.h"
#include "support/windowscompat.h"

namespace qs::platform {
namespace {

TEST(SystemTempFolder, followsTmpdirAndEndsInASeparator) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "TMPDIR is the POSIX variable";
  const char* saved = std::getenv("TMPDIR");
  const std::string previous = saved ? saved : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(SystemTempFolder(), "/var/tmp/");
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(SystemTempFolder(), "/tmp/");
  if (saved) {
    setenv("TMPDIR", previous.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace qs::platform
