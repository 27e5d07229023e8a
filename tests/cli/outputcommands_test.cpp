#include <gtest/gtest.h>
#include <stdio.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/clirunner.h"
#include "config/languagefiles.h"
#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "platform/helpcompilerlocator.h"
#include "project/projectfile.h"
#include "support/librarygenerator.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::cli {
namespace {

using testsupport::ReadBytes;
namespace fs = std::filesystem;

void WriteScript(const std::string& path, const std::string& body) {
  std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
}

// Each test gets a folder with blanks in its path, a generated library and a project
// extracted from it.
class OutputCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    ASSERT_TRUE(testsupport::WriteLibraryFile(library_, testsupport::SampleLibraryRecipe()));
    const auto extract = RunCli({"extract", library_, project_, "--help-folder", help_});
    ASSERT_EQ(extract.status, kSuccess) << extract.err;
  }

  project::HelpProject LoadedProject() {
    project::HelpProject project;
    text::Reports reports;
    EXPECT_TRUE(project::LoadProject(project, project_, {}, reports));
    return project;
  }

  testsupport::TempFolder temp_;
  std::string folder_ = temp_.Path("qs cli output/");
  std::string library_ = folder_ + "TextKit";
  std::string project_ = folder_ + "TextKit.qsp";
  std::string help_ = folder_ + "help folder/";
};

TEST_F(OutputCommandsTest, buildPrintsTheLogAndWritesWhatTheCoreWrites) {
  const auto outcome = RunCli({"build", project_});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  output::BuildRecord record;
  text::Reports reports;
  const std::string expectedLog =
      output::BuildHelpFolder(LoadedProject(), {}, folder_ + "reference", record, reports);
  std::string log;
  for (const auto& file : record.files) {
    const std::string name = file.substr((folder_ + "reference/").size());
    log += help_ + name + "\n";
    EXPECT_EQ(ReadBytes(help_ + name), ReadBytes(file)) << name;
  }
  EXPECT_EQ(outcome.out, log);
  EXPECT_NE(ReadBytes(help_ + "TextWord.html").find("at position <a href=\"Index.html\">Index</a>"),
            std::string::npos);
}

TEST_F(OutputCommandsTest, aRelativeHelpFolderIsTakenFromTheProjectFilesFolder) {
  ASSERT_EQ(RunCli({"extract", library_, project_, "--help-folder", "rel help"}).status, kSuccess);
  EXPECT_EQ(LoadedProject().helpFolder, "rel help" + testsupport::Native("/"));
  const auto built = RunCli({"build", project_});
  ASSERT_EQ(built.status, kSuccess) << built.err;
  EXPECT_TRUE(fs::exists(folder_ + "rel help/Index.html"));
  EXPECT_FALSE(fs::exists("rel help"));
  const auto unique = RunCli({"unique", project_});
  ASSERT_EQ(unique.status, kSuccess) << unique.err;
  EXPECT_EQ(unique.out.rfind(folder_ + "rel help", 0), 0u) << unique.out;
}

TEST_F(OutputCommandsTest, buildCompilesWithChmcmdAndEveryPageIsInTheCompiledFile) {
  if (platform::FindHelpCompiler().empty()) GTEST_SKIP() << "chmcmd is not installed";
  const auto outcome = RunCli({"build", project_, "--compile", "--erase"});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  const std::string chm = help_ + "TextKit.chm";
  ASSERT_TRUE(outcome.out.ends_with("\n" + chm + "\n")) << outcome.out;
  ASSERT_GT(fs::file_size(chm), 0u);
  // --erase leaves the compiled file alone.
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(help_)) left.insert(entry.path().string());
  EXPECT_EQ(left, std::set<std::string>{chm});

  FILE* pipe = popen(("chmls list '" + chm + "' 2>/dev/null").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string listing;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) listing.append(buffer, n);
  pclose(pipe);
  const auto project = LoadedProject();
  ASSERT_GT(project.TopicCount(), 10u);
  EXPECT_NE(listing.find("/Index.html\n"), std::string::npos) << listing;
  for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
    EXPECT_NE(listing.find(" /" + project.TopicAt(pos).name + ".html\n"), std::string::npos)
        << project.TopicAt(pos).name;
  }
}

TEST_F(OutputCommandsTest, compilersThatFailAreReported) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the compilers";
  const std::string chm = folder_ + "out/TextKit.chm";
  const std::string silent = folder_ + "silent";
  WriteScript(silent, "exit 0");
  const std::string empty = folder_ + "empty";
  WriteScript(empty, ": > TextKit.chm");
  for (const auto& compiler : {silent, empty}) {
    const auto outcome =
        RunCli({"build", project_, "--out", folder_ + "out", "--compile", "--compiler", compiler});
    EXPECT_EQ(outcome.status, kFailure);
    EXPECT_TRUE(outcome.err.ends_with("Could not create CHM help file!\n'" + chm + "'\n"))
        << outcome.err;
  }
  const auto folderCompiler =
      RunCli({"build", project_, "--compile", "--compiler", folder_ + "out"});
  EXPECT_EQ(folderCompiler.status, kFailure);
  EXPECT_EQ(folderCompiler.err, "Help compiler not found!\n'" + folder_ + "out'\n");
  // The folder was still built.
  EXPECT_TRUE(fs::exists(help_ + "Index.html"));
}

TEST_F(OutputCommandsTest, buildTakesCaptionsFromALanguageFile) {
  config::LanguageState german;
  german.currentLanguage = "Deutsch";
  german.table.syntax = "Syntax (de)";
  german.table.functions = "Funktionen";
  ASSERT_TRUE(config::SaveLanguage(folder_, german));
  const std::string file = folder_ + "QuillSmith_Deutsch.lng";
  ASSERT_TRUE(fs::exists(file));
  const auto outcome = RunCli({"build", project_, "--language-file", file});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  EXPECT_NE(ReadBytes(help_ + "TextTrim.html").find("<p><b>Syntax (de)</b></p>"),
            std::string::npos);
  EXPECT_NE(ReadBytes(help_ + "TextKit.hhc").find("value=\"Funktionen\""), std::string::npos);

  const auto missing = RunCli({"build", project_, "--language-file", folder_ + "nope.lng"});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.err, "Could not read file '" + folder_ + "nope.lng'!\n");
}

TEST_F(OutputCommandsTest, buildFailuresSayWhy) {
  // No help folder in the project and none given.
  const auto noFolderProject = folder_ + "nofolder.qsp";
  ASSERT_EQ(RunCli({"extract", library_, noFolderProject}).status, kSuccess);
  const auto noFolder = RunCli({"build", noFolderProject});
  EXPECT_EQ(noFolder.status, kFailure);
  EXPECT_EQ(noFolder.err, "No help folder defined!\n");

  // A help folder that cannot be made.
  std::ofstream(folder_ + "plain") << "x";
  const auto blocked = RunCli({"build", project_, "--out", folder_ + "plain/help"});
  EXPECT_EQ(blocked.status, kFailure);
  EXPECT_EQ(blocked.out, "");
  EXPECT_EQ(blocked.err, "Could not create file '" + folder_ + "plain/help" +
                             testsupport::Native("/TextKit.hhp") +
                             "'!\nError during help files creation!\n");

  const auto notAProject = RunCli({"build", library_});
  EXPECT_EQ(notAProject.status, kFailure);
  EXPECT_EQ(notAProject.err, "The file '" + library_ + "' is not a valid project!\n");
}

TEST_F(OutputCommandsTest, uniqueWritesTheFileNamedAfterTheTitle) {
  const auto outcome = RunCli({"unique", project_, "--out", folder_ + "web"});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  const auto project = LoadedProject();
  const std::string path =
      folder_ + "web" + testsupport::Native("/") + project.TopicAt(0).title + ".html";
  EXPECT_EQ(outcome.out, path + "\n");
  EXPECT_EQ(outcome.err, "Unique HTML help file created :\n\n" + path + "\n");
  EXPECT_EQ(ReadBytes(path), output::UniqueHtmlText(project));

  std::ofstream(folder_ + "plain") << "x";
  const auto blocked = RunCli({"unique", project_, "--out", folder_ + "plain"});
  EXPECT_EQ(blocked.status, kFailure);
  EXPECT_EQ(blocked.err, "Could not create file '" + folder_ + "plain" + testsupport::Native("/") +
                             project.TopicAt(0).title + ".html'!\n");
}

}  // namespace
}  // namespace qs::cli
