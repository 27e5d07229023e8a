// What quillsmith-cli says about itself, and how it refuses arguments it cannot use.

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "cli/clirunner.h"
#include "version/version.h"

namespace qs::cli {
namespace {

// "1.3.99" as the programs show it: minor and patch with two digits each.
std::string DisplayForm(std::string_view version) {
  std::vector<int> parts;
  for (std::size_t start = 0; start <= version.size();) {
    const std::size_t dot = std::min(version.find('.', start), version.size());
    int number = -1;
    std::from_chars(version.data() + start, version.data() + dot, number);
    parts.push_back(number);
    start = dot + 1;
  }
  if (parts.size() != 3) return "not three numbers: " + std::string(version);
  const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return std::to_string(parts[0]) + "." + two(parts[1]) + "." + two(parts[2]);
}

TEST(Usage, versionIsTheProjectVersionInItsDisplayForm) {
  EXPECT_EQ(kDisplayVersion, DisplayForm(kVersion));
  const auto outcome = RunCli({"--version"});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.out, "quillsmith-cli " + std::string(kDisplayVersion) + "\n");
}

}  // namespace
}  // namespace qs::cli
