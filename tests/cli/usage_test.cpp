// What quillsmith-cli says about itself, and how it refuses arguments it cannot use.

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/clirunner.h"
#include "support/librarygenerator.h"
#include "support/tempfolder.h"
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
  const auto two = [](int n) {
    std::string digits = n < 10 ? "0" : "";
    return digits.append(std::to_string(n));
  };
  return std::to_string(parts[0]) + "." + two(parts[1]) + "." + two(parts[2]);
}

TEST(Usage, versionIsTheProjectVersionInItsDisplayForm) {
  EXPECT_EQ(kDisplayVersion, DisplayForm(kVersion));
  const auto outcome = RunCli({"--version"});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.out, "quillsmith-cli " + std::string(kDisplayVersion) + "\n");
}

// Wrong usage prints the whole usage on standard error, nothing on standard output.
void ExpectUsage(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& arg : args) line += " '" + arg + "'";
  const auto outcome = RunCli(args);
  EXPECT_EQ(outcome.status, kUsage) << line;
  EXPECT_EQ(outcome.out, "") << line;
  EXPECT_TRUE(outcome.err.starts_with("Usage:\n")) << line;
  for (const char* command :
       {"list LIBRARY", "extract LIBRARY PROJECT.qsp", "build PROJECT.qsp", "unique PROJECT.qsp"}) {
    EXPECT_NE(outcome.err.find(std::string("quillsmith-cli ") + command), std::string::npos)
        << line;
  }
}

TEST(Usage, wrongArgumentsExitWithTwoAndShowTheUsage) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{},
                                             {"lists", "Lib"},
                                             {"--version", "extra"},
                                             {"list"},
                                             {"list", "a", "b"},
                                             {"list", ""},
                                             {"list", "--all"},
                                             {"extract", "Lib"},
                                             {"extract", "Lib", "P.qsp", "extra"},
                                             {"extract", "Lib", "P.qsp", "--help-folder"},
                                             {"extract", "Lib", "P.qsp", "--fast"},
                                             {"extract", "Lib", "P.qsp", "--examples-as-code"},
                                             {"list", "Lib", "--examples-as-code"},
                                             {"extract", "", "P.qsp"},
                                             {"build"},
                                             {"build", "P.qsp", "P.qsp"},
                                             {"build", "P.qsp", "--out"},
                                             {"build", "P.qsp", "--compiler"},
                                             {"build", "P.qsp", "--language-file"},
                                             {"build", "P.qsp", "--fast"},
                                             {"unique"},
                                             {"unique", "P.qsp", "--out"},
                                             {"unique", "P.qsp", "--compile"}}) {
    ExpectUsage(args);
  }
}

// Every option that takes a value refuses an empty one, wherever it stands, before anything
// is read or written: arguments that would otherwise work end in the usage.
TEST(Usage, everyOptionThatTakesAValueRefusesAnEmptyOne) {
  testsupport::TempFolder folder;
  const std::string library = folder.Path() + "TextKit";
  const std::string project = folder.Path() + "TextKit.qsp";
  ASSERT_TRUE(testsupport::WriteLibraryFile(library, testsupport::SampleLibraryRecipe()));
  ExpectUsage({"extract", library, project, "--help-folder", ""});
  ExpectUsage({"extract", "--help-folder", "", library, project});
  EXPECT_FALSE(std::filesystem::exists(project));

  ASSERT_EQ(RunCli({"extract", library, project, "--help-folder", folder.Path() + "help"}).status,
            kSuccess);
  for (const char* option : {"--out", "--compiler", "--language-file"}) {
    ExpectUsage({"build", project, option, ""});
    ExpectUsage({"build", option, "", project});
  }
  ExpectUsage({"unique", project, "--out", ""});
  ExpectUsage({"unique", "--out", "", project});
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "help"));
}

}  // namespace
}  // namespace qs::cli
