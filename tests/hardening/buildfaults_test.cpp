// The help folder build and the compile step under real failing conditions: a page that
// cannot be written in the middle of the build, a disk that fills up inside a page, and help
// compilers that crash, write nothing or write an empty file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "platform/systemprogramrunner.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

project::HelpProject FiveTopics() {
  auto project = testsupport::MakeProject({"Index", "A", "B", "C", "License*"});
  project.libraryFile = "/libs/MyLib";
  return project;
}

TEST(HelpBuildFaults, aPageThatFailsMidwayEndsTheBuildAndErasingRemovesExactlyWhatWasWritten) {
  TempFolder box;
  const std::string help = box.Path("help/");
  box.Write("help/B.html/keep.txt", "a folder where the page B should go");
  box.Write("help/notes.txt", "the author's own file");
  const Picture before = TakePicture(help);

  output::BuildRecord record;
  text::Reports reports;
  EXPECT_EQ(output::BuildHelpFolder(FiveTopics(), {}, help, record, reports), "");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], text::ErrorReport("Could not create file '" + help + "B.html'!"));
  EXPECT_EQ(record.files, (std::vector<std::string>{help + "MyLib.hhp", help + "MyLib.hhc",
                                                    help + "Index.html", help + "A.html"}));
  EXPECT_FALSE(fs::exists(help + "C.html"));
  EXPECT_FALSE(fs::exists(help + "License.html"));

  output::EraseBuildFiles(record);
  EXPECT_EQ(TakePicture(help), before);
}

TEST(HelpBuildFaults, aDiskThatFillsInsideAPageLeavesNoCutShortPageBehind) {
  TempFolder box;
  const std::string help = box.Path("help/");
  box.Write("help/notes.txt", "the author's own file");
  const Picture before = TakePicture(help);
  auto project = FiveTopics();
  project.TopicAt(2).body = std::string(60000, 'b');  // B's page cannot fit

  const std::string answer = RunWithFileSizeLimit(20000, [&] {
    output::BuildRecord record;
    text::Reports reports;
    std::string out = "log[" + output::BuildHelpFolder(project, {}, help, record, reports) + "]";
    for (const auto& file : record.files) out += "record " + file + "\n";
    for (const auto& report : reports) out += "report " + report.text + "\n";
    return out;
  });
  EXPECT_EQ(answer, "log[]record " + help + "MyLib.hhp\nrecord " + help + "MyLib.hhc\nrecord " +
                        help + "Index.html\nrecord " + help +
                        "A.html\nreport Could not create file '" + help + "B.html'!\n");
  // The cut-short page is gone: it is in no record, so nothing would ever erase it.
  EXPECT_FALSE(fs::exists(help + "B.html"));

  output::EraseBuildFiles(
      {help, {help + "MyLib.hhp", help + "MyLib.hhc", help + "Index.html", help + "A.html"}});
  EXPECT_EQ(TakePicture(help), before);
}

// A help compiler stand-in: a shell script in the sandbox.
std::string Compiler(const TempFolder& box, const std::string& name, const std::string& script,
                     bool executable = true) {
  box.Write(name, "#!/bin/sh\n" + script + "\n");
  fs::permissions(box.Path(name), executable ? fs::perms::owner_all : fs::perms::owner_read);
  return box.Path(name);
}

TEST(CompileFaults, aCompilerThatCrashesWritesNothingOrAnEmptyFileIsAFailure) {
  TempFolder box;
  const std::string help = box.Path("help/");
  const std::string chm = help + "MyLib.chm";
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_NE(output::BuildHelpFolder(FiveTopics(), {}, help, record, reports), "");
  platform::SystemProgramRunner runner;

  const struct {
    const char* what;
    std::string script;
  } failing[] = {
      {"crashes", "kill -SEGV $$"},
      {"writes nothing", "exit 0"},
      {"writes an empty file", ": > \"${1%.hhp}.chm\""},
      {"writes an empty file and crashes", ": > \"${1%.hhp}.chm\"; kill -ABRT $$"},
  };
  for (const auto& compiler : failing) {
    SCOPED_TRACE(compiler.what);
    box.Write("help/MyLib.chm", "an old compiled file that must not pass for a new one");
    output::CompileOptions options{true, Compiler(box, "compiler.sh", compiler.script)};
    text::Reports compileReports;
    EXPECT_FALSE(output::CompileHelp(options, help, "/libs/MyLib", runner, compileReports));
    EXPECT_EQ(
        compileReports,
        (text::Reports{text::BuildErrorReport("Could not create CHM help file!\n'" + chm + "'")}));
    EXPECT_TRUE(options.compileToChm);  // the compiler is there; the next build tries again
    EXPECT_TRUE(!fs::exists(chm) || fs::file_size(chm) == 0);
  }

  // A compiler that writes the file works, with the same runner and folder.
  output::CompileOptions options{true,
                                 Compiler(box, "good.sh", "printf 'ITSF' > \"${1%.hhp}.chm\"")};
  text::Reports compileReports;
  EXPECT_TRUE(output::CompileHelp(options, help, "/libs/MyLib", runner, compileReports));
  EXPECT_TRUE(compileReports.empty());
}

TEST(CompileFaults, aCompilerThatCannotRunSwitchesCompilingOff) {
  TempFolder box;
  const std::string help = box.Path("help/");
  fs::create_directories(help);
  platform::SystemProgramRunner runner;

  const std::string notExecutable = Compiler(box, "plain.sh", "exit 0", false);
  if (::access(notExecutable.c_str(), X_OK) != 0) {  // as root every file may be executed
    output::CompileOptions options{true, notExecutable};
    text::Reports reports;
    EXPECT_FALSE(output::CompileHelp(options, help, "/libs/MyLib", runner, reports));
    EXPECT_EQ(reports, (text::Reports{text::BuildErrorReport("Could not start help compiler!\n'" +
                                                             notExecutable + "'")}));
    EXPECT_FALSE(options.compileToChm);
  }
  const std::string badInterpreter = box.Path("bad.sh");
  box.Write("bad.sh", "#!/nonexistent/interpreter\n");
  fs::permissions(badInterpreter, fs::perms::owner_all);
  output::CompileOptions options{true, badInterpreter};
  text::Reports reports;
  EXPECT_FALSE(output::CompileHelp(options, help, "/libs/MyLib", runner, reports));
  EXPECT_EQ(reports, (text::Reports{text::BuildErrorReport("Could not start help compiler!\n'" +
                                                           badInterpreter + "'")}));
  EXPECT_FALSE(options.compileToChm);

  box.Write("folder-compiler/x", "");
  options = {true, box.Path("folder-compiler")};
  reports.clear();
  EXPECT_FALSE(output::CompileHelp(options, help, "/libs/MyLib", runner, reports));
  EXPECT_EQ(reports, (text::Reports{text::BuildErrorReport("Help compiler not found!\n'" +
                                                           box.Path("folder-compiler") + "'")}));
  EXPECT_FALSE(options.compileToChm);
}

}  // namespace
}  // namespace qs::hardening
