#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/clirunner.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "support/librarygenerator.h"
#include "support/tempfolder.h"

namespace qs::cli {
namespace {

namespace fs = std::filesystem;

// A project extracted from the sample library, every description still the library's own
// text, in which three pages were then written: one rewritten, one with an example that a
// browser cuts, one with a link to a page that does not exist.
class CheckCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(help_);
    ASSERT_TRUE(testsupport::WriteLibraryFile(library_, testsupport::SampleLibraryRecipe()));
    ASSERT_EQ(RunCli({"extract", library_, project_, "--help-folder", help_}).status, kSuccess);
    project::HelpProject project;
    text::Reports reports;
    ASSERT_TRUE(project::LoadProject(project, project_, {}, reports));
    for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
      project::Topic& topic = project.TopicAt(pos);
      if (topic.Kind() != project::TopicKind::FunctionPage) continue;
      ++functions_;
      if (written_.size() == 3) continue;
      written_.push_back(topic.name);
      if (written_.size() == 1) topic.body = "Written by the author.";
      if (written_.size() == 2) topic.example = "x = 1\r\nIf a<b Then\r\nEndIf";
      if (written_.size() == 3) topic.body = "See <a href=\"Nowhere.html\">there</a>.";
    }
    ASSERT_EQ(written_.size(), 3u);
    ASSERT_TRUE(project::SaveProject(project, project_, reports));
    saved_ = testsupport::ReadBytes(project_);
  }

  testsupport::TempFolder temp_;
  std::string library_ = temp_.Path("TextKit");
  std::string project_ = temp_.Path("TextKit.qsp");
  std::string help_ = temp_.Path("help/");
  std::vector<std::string> written_;
  std::size_t functions_ = 0;
  std::string saved_;
};

TEST_F(CheckCommandTest, printsEachProblemAndEachUndocumentedPageThenTheSummary) {
  const Outcome outcome = RunCli({"check", project_});
  EXPECT_EQ(outcome.status, kSuccess);
  EXPECT_EQ(outcome.err, "");
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < outcome.out.size();) {
    const auto end = outcome.out.find('\n', start);
    lines.push_back(outcome.out.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 2 + (functions_ - 3) + 1);
  EXPECT_EQ(lines[0], project_ + ": " + written_[1] +
                          ": Example:2: '<b' starts a tag; the rest of the line is hidden (turn "
                          "on \"Examples are code\", or write &lt; for '<')");
  EXPECT_EQ(lines[1], project_ + ": " + written_[2] +
                          ": Description:1: link to 'Nowhere.html': the project has no such page");
  EXPECT_EQ(lines[2].substr(lines[2].size() - 20), ": not yet documented");
  EXPECT_EQ(lines.back(),
            "3 of " + std::to_string(functions_) + " functions documented; 2 problems");
  // Nothing is written: neither the project nor the help folder.
  EXPECT_EQ(testsupport::ReadBytes(project_), saved_);
  EXPECT_TRUE(fs::is_empty(help_));
}

TEST_F(CheckCommandTest, strictFailsOnWhatWasFoundAndJsonSaysTheSame) {
  EXPECT_EQ(RunCli({"check", project_, "--strict"}).status, kCheckFailed);
  const Outcome json = RunCli({"check", "--json", project_});
  EXPECT_EQ(json.status, kSuccess);
  EXPECT_NE(json.out.find("\"functions\": " + std::to_string(functions_) + ",\n"),
            std::string::npos);
  EXPECT_NE(json.out.find("\"documented\": 3,\n"), std::string::npos);
  EXPECT_NE(json.out.find("{\"page\": \"" + written_[1] +
                          "\", \"field\": \"Example\", \"line\": 2, \"message\": \"'<b' starts a "
                          "tag; the rest of the line is hidden (turn on \\\"Examples are code\\\", "
                          "or write &lt; for '<')\"}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"summary\": \"3 of " + std::to_string(functions_) +
                          " functions documented; 2 problems\"\n}\n"),
            std::string::npos);
}

TEST_F(CheckCommandTest, aProjectWithNothingToSayPassesStrictAndABadOneFails) {
  // Every page written, the broken ones mended.
  project::HelpProject project;
  text::Reports reports;
  ASSERT_TRUE(project::LoadProject(project, project_, {}, reports));
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    project::Topic& topic = project.TopicAt(pos);
    if (topic.Kind() != project::TopicKind::FunctionPage) continue;
    topic.body = "Documented: " + topic.name + ".";
    topic.example.clear();
  }
  ASSERT_TRUE(project::SaveProject(project, project_, reports));
  const Outcome clean = RunCli({"check", project_, "--strict"});
  EXPECT_EQ(clean.status, kSuccess);
  EXPECT_EQ(clean.out, std::to_string(functions_) + " of " + std::to_string(functions_) +
                           " functions documented; no problems\n");

  const Outcome missing = RunCli({"check", temp_.Path("none.qsp")});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.err, "Could not read file '" + temp_.Path("none.qsp") + "'!\n");
  EXPECT_EQ(RunCli({"check", project_, "--frobnicate"}).status, kUsage);
}

}  // namespace
}  // namespace qs::cli
