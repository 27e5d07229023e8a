#include "platform/atomicfile.h"

#include <gtest/gtest.h>

#include <string>

namespace qs::platform {
namespace {

TEST(TemporaryName, staysShortForTheLongestNamesAndTellsTheirTargetsApart) {
  const std::string longest(251, 'p');
  const std::string name = AtomicFile::TemporaryName(longest + ".qsp", 4194304, 4294967295u);
  EXPECT_LE(name.size(), 110u);
  EXPECT_TRUE(name.starts_with("." + std::string(64, 'p') + ".~qs"));
  EXPECT_TRUE(name.ends_with(".4194304-4294967295.tmp"));
  // Names that agree in their first 64 bytes still get their own.
  EXPECT_NE(AtomicFile::TemporaryName(longest + "a.qsp", 1, 0),
            AtomicFile::TemporaryName(longest + "b.qsp", 1, 0));
  EXPECT_EQ(AtomicFile::TemporaryName("p.qsp", 1, 0), AtomicFile::TemporaryName("p.qsp", 1, 0));

  // A multi-byte character is kept whole or left out, never cut.
  std::string accented(63, 'a');
  accented += "\xC3\xA9.qsp";
  EXPECT_TRUE(
      AtomicFile::TemporaryName(accented, 1, 0).starts_with("." + std::string(63, 'a') + ".~qs"));
}

}  // namespace
}  // namespace qs::platform
