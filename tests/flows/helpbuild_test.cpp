#include "flows/helpbuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "flows/diskports.h"
#include "output/helpcompiler.h"
#include "output/pictures.h"
#include "platform/helpcompilerlocator.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::flows {
namespace {

namespace fs = std::filesystem;

// The real help output, except that this system has no help compiler installed.
class NoCompilerInstalled : public DiskHelpOutput {
 public:
  std::string FindHelpCompiler() override { return {}; }
};

TEST(HelpBuild, countsThePagesItWroteAndErasesOnlyItsOwnFilesWhenAsked) {
  testsupport::TempFolder temp;
  DiskHelpOutput help;
  project::HelpProject project = testsupport::MakeProject({"Index", "A", "B", "License*"});
  project.libraryFile = "MyLib";
  output::BuildRecord record;
  const std::string first = temp.Path("help/");

  HelpBuild kept(help, project, first, record);
  const FolderOutcome written = kept.Write({}, {});
  ASSERT_TRUE(written.written());
  EXPECT_EQ(written.pages, 4u);  // Index, A, B, License; not the .hhp and .hhc
  EXPECT_TRUE(written.reports.empty());
  kept.Finish(false);
  EXPECT_TRUE(fs::exists(first + "A.html"));

  // A build into another folder, erased afterwards, leaves the first folder as it was.
  HelpBuild erased(help, project, temp.Path("other/"), record);
  ASSERT_TRUE(erased.Write({}, {}).written());
  erased.Finish(true);
  EXPECT_FALSE(fs::exists(temp.Path("other/A.html")));
  EXPECT_TRUE(fs::exists(first + "A.html"));
}

// The whole way of an inserted picture with the real compiler: copied into the help folder,
// shown by a page, compiled into the help (found through the page, as the help project file
// names only pages) and kept when the build's files are erased.
TEST(HelpBuild, anInsertedPictureIsCompiledIntoTheHelpAndOutlivesTheErase) {
  const char* path = std::getenv("PATH");
  const std::string chmls = platform::FindProgramOnPath("chmls", path ? path : "", ':');
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty() || chmls.empty()) GTEST_SKIP() << "chmcmd and chmls are not installed";
  testsupport::TempFolder temp;
  temp.Write("shots/Main Window.png", std::string("\x89PNG\r\n\x1a\n", 8) + "picture bytes");
  const std::string folder = temp.Path("help/");
  const output::PictureOutcome copied =
      output::CopyPicture(folder, temp.Path("shots/Main Window.png"), [](const text::Report&) {
        ADD_FAILURE() << "nothing to replace";
        return false;
      });
  ASSERT_EQ(copied.copy, output::PictureCopy::Copied);
  EXPECT_EQ(copied.fileName, "Main_Window.png");

  project::HelpProject project =
      testsupport::MakeProject({"Index", "TextTrim", "Notes/Deep*", "License*"});
  project.libraryFile = "TextKit";
  project.FindTopic("TextTrim")->body = "See " + output::PictureTag("TextTrim", copied.fileName);
  project.FindTopic("Notes/Deep")->body = output::PictureTag("Notes/Deep", copied.fileName);
  DiskHelpOutput help;
  output::BuildRecord record;
  HelpBuild build(help, project, folder, record);
  ASSERT_TRUE(build.Write({}, {}).written());
  // The help project file is as it always was: it names the pages alone.
  const std::string hhp = temp.Read("help/TextKit.hhp");
  EXPECT_EQ(hhp.substr(hhp.find("[FILES]")),
            "[FILES]\r\nIndex.html\r\nTextTrim.html\r\nNotes/Deep.html\r\nLicense.html\r\n");
  const CompileOutcome compiled = build.Compile({true, compiler});
  ASSERT_TRUE(compiled.compiled);

  std::string listed;
  FILE* pipe =
      popen(("'" + chmls + "' list '" + compiled.compiledFile + "' 2>/dev/null").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) listed.append(buffer, n);
  pclose(pipe);
  EXPECT_NE(listed.find(" /pictures/Main_Window.png\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find(" /Notes/Deep.html\n"), std::string::npos) << listed;

  build.Finish(true);
  EXPECT_FALSE(fs::exists(folder + "TextTrim.html"));
  EXPECT_FALSE(fs::exists(folder + "TextKit.hhp"));
  EXPECT_TRUE(fs::exists(folder + "TextKit.chm"));
  EXPECT_EQ(temp.Read("help/pictures/Main_Window.png"), temp.Read("shots/Main Window.png"));
}

TEST(HelpBuild, theRecordPassedOnRemovesThePagesOfTopicsSinceGone) {
  testsupport::TempFolder temp;
  DiskHelpOutput help;
  output::BuildRecord record;
  const std::string folder = temp.Path("help/");
  project::HelpProject before = testsupport::MakeProject({"Index", "A", "B", "License*"});
  before.libraryFile = "MyLib";
  ASSERT_TRUE(HelpBuild(help, before, folder, record).Write({}, {}).written());
  project::HelpProject after = testsupport::MakeProject({"Index", "A", "License*"});
  after.libraryFile = "MyLib";
  const FolderOutcome rebuilt = HelpBuild(help, after, folder, record).Write({}, {});
  ASSERT_TRUE(rebuilt.written());
  EXPECT_EQ(rebuilt.pages, 3u);
  EXPECT_FALSE(fs::exists(folder + "B.html"));
}

// What the real compiler says about the help it compiled, read into errors and warnings with
// their pages: a page whose markup chmcmd cannot read, a picture no one put in the help folder.
// A help that compiles cleanly says nothing.
TEST(HelpBuild, theCompilersOwnErrorsAndWarningsAreCountedEachWithItsPage) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) GTEST_SKIP() << "chmcmd is not installed";
  for (const bool faulty : {true, false}) {
    testsupport::TempFolder temp;
    DiskHelpOutput help;
    project::HelpProject project = testsupport::MakeProject({"Index", "A", "B", "License*"});
    project.libraryFile = "MyLib";
    if (faulty) {
      project.FindTopic("A")->body = "Our logo: <img src=\"missing.png\">";
      project.FindTopic("B")->body = "Moves when a <-b> holds";  // "<-b>" is no tag chmcmd can read
    }
    output::BuildRecord record;
    const std::string folder = temp.Path("help/");
    HelpBuild build(help, project, folder, record);
    ASSERT_TRUE(build.Write({}, {}).written());
    const CompileOutcome outcome = build.Compile({true, compiler});
    build.Finish(false);
    ASSERT_TRUE(outcome.compiled) << "chmcmd writes the help all the same";
    if (!faulty) {
      EXPECT_TRUE(outcome.messages.empty()) << output::MessageLine(outcome.messages[0]);
      EXPECT_EQ(CompilerMessagesHeading(outcome), "");
      EXPECT_EQ(CompiledText(outcome), "Help files compiled to " + folder + "MyLib.chm");
      continue;
    }
    EXPECT_EQ(outcome.errors(), 1u);
    EXPECT_EQ(outcome.warnings(), 1u);
    ASSERT_EQ(outcome.messages.size(), 2u);
    EXPECT_EQ(outcome.messages[0].kind, output::CompilerMessageKind::Error);
    EXPECT_EQ(outcome.messages[0].page, "B.html");
    EXPECT_EQ(
        output::MessageLine(outcome.messages[0]).rfind("Error in B.html: Html parsing B.html", 0),
        0u)
        << output::MessageLine(outcome.messages[0]);
    EXPECT_EQ(outcome.messages[1].kind, output::CompilerMessageKind::Warning);
    EXPECT_EQ(outcome.messages[1].page, "A.html");
    EXPECT_NE(outcome.messages[1].text.find("missing.png"), std::string::npos)
        << outcome.messages[1].text;
    EXPECT_EQ(CompilerMessagesHeading(outcome), "The compiler reported 1 error and 1 warning:");
    EXPECT_EQ(CompiledText(outcome),
              "Help files compiled with 1 error and 1 warning to " + folder + "MyLib.chm");
  }
}

TEST(HelpBuild, aFolderThatCannotBeWrittenSaysSoLastAndCountsNoPage) {
  testsupport::TempFolder temp;
  testsupport::WriteBytes(temp.Path("file"), "x");
  DiskHelpOutput help;
  project::HelpProject project = testsupport::MakeProject({"Index", "A"});
  project.libraryFile = "MyLib";
  output::BuildRecord record;
  const FolderOutcome failed =
      HelpBuild(help, project, temp.Path("file/help/"), record).Write({}, {});
  EXPECT_FALSE(failed.written());
  EXPECT_EQ(failed.pages, 0u);
  ASSERT_FALSE(failed.reports.empty());
  EXPECT_EQ(failed.reports.back(), text::BuildErrorReport("Error during help files creation!"));
}

// Which compiler the command line's compile step uses, and what it says when there is none.
TEST(HelpBuild, compilingWithTheCompilerGivenOrFoundSaysWhichOneIsMissing) {
  struct Case {
    const char* what;
    std::optional<std::string> given;
    std::string reported;
  };
  const Case cases[] = {
      {"none given, none installed", std::nullopt, std::string(platform::kHelpCompilerName)},
      {"an empty path given", std::string(), std::string(platform::kHelpCompilerName)},
      {"a path that names no program", std::string("/no/such/chmcmd"), "/no/such/chmcmd"},
  };
  for (const Case& c : cases) {
    testsupport::TempFolder temp;
    NoCompilerInstalled help;
    project::HelpProject project = testsupport::MakeProject({"Index", "A"});
    project.libraryFile = "MyLib";
    output::BuildRecord record;
    HelpBuild build(help, project, temp.Path("help/"), record);
    ASSERT_TRUE(build.Write({}, {}).written()) << c.what;
    const CompileOutcome outcome = build.CompileWith(c.given);
    EXPECT_FALSE(outcome.compiled) << c.what;
    EXPECT_FALSE(outcome.options.compileToChm) << c.what;
    ASSERT_EQ(outcome.reports.size(), 1u) << c.what;
    EXPECT_EQ(outcome.reports[0], output::CompilerNotFoundReport(c.reported)) << c.what;
    build.Finish(false);
  }
}

}  // namespace
}  // namespace qs::flows
