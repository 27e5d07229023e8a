// Another user who may write in the help folder plants links between the build and the
// compile: at the compiled file's name, to have the compiler write elsewhere, and at a page's
// or a picture's name, to have a file they cannot read packed into a help file they can. The
// real compiler runs; nothing outside the help folder may change, and nothing of the planted
// targets may reach the compiled help. Their leftovers in the shared temporary folder are
// theirs too.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"
#include "sandbox.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

// Runs `body` in a child process as the user "nobody"; true when it returned true there.
// Empty when this cannot be done here (not root, no such user).
std::optional<bool> AsNobody(const std::function<bool()>& body) {
  const passwd* nobody = ::getpwnam("nobody");
  if (::geteuid() != 0 || nobody == nullptr) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
        ::setuid(nobody->pw_uid) != 0) {
      ::_exit(2);
    }
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string OutputOf(const std::string& command) {
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

std::string Tool(const char* name) {
  const char* path = std::getenv("PATH");
  return platform::FindProgramOnPath(name, path ? path : "", ':');
}

// Every file a compiled help holds, by its name there, with its bytes: what extract_chmLib
// takes out of it.
Picture ChmContents(const std::string& chm, const std::string& into) {
  OutputOf("'" + Tool("extract_chmLib") + "' '" + chm + "' '" + into + "'");
  Picture contents;
  for (const auto& [name, bytes] : TakePicture(into)) {
    if (bytes != "dir" && name.find('#') == std::string::npos && name.front() != '$') {
      contents[name] = bytes;
    }
  }
  return contents;
}

struct LinkSetup {
  TempFolder box;
  std::string help = box.Path("help/");
  std::string chm = help + "MyLib.chm";
  project::HelpProject project = testsupport::MakeProject({"Index", "A", "B", "License*"});

  LinkSetup() {
    project.libraryFile = "/libs/MyLib";
    project.FindTopic("A")->body = "Our logo: <img src=\"pic.png\"> and <a href=\"B.html\">B</a>.";
    project.FindTopic("B")->body = "The B page.";
  }

  void Build() {
    output::BuildRecord record;
    text::Reports reports;
    ASSERT_FALSE(output::BuildHelpFolder(project, {}, help, record, reports).empty());
  }

  bool Compile(std::vector<output::CompilerMessage>& messages) {
    output::CompileOptions options{true, platform::FindHelpCompiler()};
    platform::SystemProgramRunner runner;
    text::Reports reports;
    const bool compiled =
        output::CompileHelp(options, help, project.libraryFile, runner, reports, &messages);
    for (const auto& report : reports) ADD_FAILURE() << report.text;
    return compiled;
  }
};

// Whether `messages` tell that `name` was left out.
bool ToldLeftOut(const std::vector<output::CompilerMessage>& messages, const std::string& name) {
  return std::any_of(messages.begin(), messages.end(), [&](const auto& message) {
    return message.kind == output::CompilerMessageKind::Warning &&
           message.text == name +
                               " is a link or no plain file of its own in the help folder; it "
                               "was not compiled into the help";
  });
}

TEST(CompilerLinks, linksPlantedByAnotherUserNeitherLeadTheCompilerOutNorPackWhatTheyCannotRead) {
  if (platform::FindHelpCompiler().empty() || Tool("extract_chmLib").empty()) {
    GTEST_SKIP() << "chmcmd and extract_chmLib (libchm-bin) are not installed";
  }
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to plant the links as the user nobody";
  LinkSetup setup;
  const std::string secret = "CANARY-only-root-may-read-this-" + std::to_string(::getpid());
  setup.box.Write("canary", secret);
  ::chmod(setup.box.Path("canary").c_str(), 0600);
  fs::create_directories(setup.box.Path("outside"));
  ::chmod(setup.box.Path("outside").c_str(), 0777);  // where the planted link leads
  const Picture outside = TakePicture(setup.box.Path("outside/"));
  setup.project.FindTopic("A")->body += " <img src=\"photo.png\">";
  setup.Build();
  ::chmod(setup.help.c_str(), 0777);  // a folder others may write in

  const std::string canary = setup.box.Path("canary");
  const std::string help = setup.help;
  const std::string elsewhere = setup.box.Path("outside/MyLib.chm");
  const auto planted = AsNobody([&] {
    return ::symlink(canary.c_str(), (help + "pic.png").c_str()) == 0 &&
           ::symlink(elsewhere.c_str(), (help + "MyLib.chm").c_str()) == 0;
  });
  ASSERT_TRUE(planted.has_value() && *planted);
  // A hard link to the canary: where the system protects hard links, nobody may not make one,
  // so root makes it, as on a system that does not.
  ASSERT_EQ(::link(canary.c_str(), (help + "photo.png").c_str()), 0);

  std::vector<output::CompilerMessage> messages;
  EXPECT_TRUE(setup.Compile(messages));
  EXPECT_TRUE(TakePicture(setup.box.Path("outside/")) == outside) << "written outside";
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(setup.chm)));
  const Picture contents = ChmContents(setup.chm, setup.box.Path("extracted/"));
  EXPECT_TRUE(contents.count("Index.html") && contents.count("A.html") && contents.count("B.html"))
      << contents.size();
  for (const auto& [name, bytes] : contents) {
    EXPECT_EQ(bytes.find(secret), std::string::npos) << name;
  }
  EXPECT_EQ(testsupport::ReadBytes(setup.chm).find(secret), std::string::npos);
  for (const char* leftOut : {"pic.png", "photo.png"}) {
    EXPECT_EQ(contents.count(leftOut), 0u) << leftOut;
    EXPECT_TRUE(ToldLeftOut(messages, leftOut)) << leftOut;
  }

  // A link at a page's name: the page is left out, and the compiler makes no help without it.
  const auto pagePlanted = AsNobody([&] {
    return ::unlink((help + "B.html").c_str()) == 0 &&
           ::symlink(canary.c_str(), (help + "B.html").c_str()) == 0 &&
           ::unlink((help + "MyLib.chm").c_str()) == 0 &&
           ::symlink(elsewhere.c_str(), (help + "MyLib.chm").c_str()) == 0;
  });
  ASSERT_TRUE(pagePlanted.has_value() && *pagePlanted);
  output::CompileOptions options{true, platform::FindHelpCompiler()};
  platform::SystemProgramRunner runner;
  text::Reports reports;
  EXPECT_FALSE(
      output::CompileHelp(options, help, setup.project.libraryFile, runner, reports, &messages));
  EXPECT_EQ(reports, (text::Reports{text::BuildErrorReport("Could not create CHM help file!\n'" +
                                                           setup.chm + "'")}));
  EXPECT_TRUE(ToldLeftOut(messages, "B.html"));
  EXPECT_TRUE(TakePicture(setup.box.Path("outside/")) == outside) << "written outside";
  EXPECT_EQ(setup.box.Read("canary"), secret);
}

// With nothing planted, the help compiled on the copy holds what the compiler makes of the
// help folder itself, file for file.
TEST(CompilerLinks, anUntouchedHelpFolderCompilesToTheSameHelpAsBefore) {
  if (platform::FindHelpCompiler().empty() || Tool("extract_chmLib").empty()) {
    GTEST_SKIP() << "chmcmd and extract_chmLib (libchm-bin) are not installed";
  }
  LinkSetup setup;
  setup.project.FindTopic("B")->body =
      "<img src='art/pic%201.png'> <a href=\"/A.html#top\">up</a> <img src=\"../above.png\">";
  setup.box.Write("help/pic.png", "PNG picture");
  setup.box.Write("help/art/pic 1.png", "PNG picture one");
  setup.box.Write("help/unused.png", "PNG no page shows this");
  setup.Build();

  std::vector<output::CompilerMessage> messages;
  ASSERT_TRUE(setup.Compile(messages));
  const Picture copied = ChmContents(setup.chm, setup.box.Path("copied/"));

  // The way it was: the compiler in the help folder itself.
  fs::remove(setup.chm);
  std::string output;
  ASSERT_TRUE(platform::RunProgramCollecting(platform::FindHelpCompiler(), setup.help + "MyLib.hhp",
                                             setup.help, output));
  const Picture direct = ChmContents(setup.chm, setup.box.Path("direct/"));
  EXPECT_EQ(copied, direct);
  EXPECT_EQ(copied.count("pic.png") + copied.count("art/pic 1.png"), 2u);
  EXPECT_EQ(copied.count("unused.png"), 0u);
}

// Someone else's compiler leftovers, and this user's from before the run, stay; the run's own
// go.
TEST(CompilerLinks, theCompilersLeftoversOfOtherUsersAndOtherRunsStay) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to leave a file as the user nobody";
  LinkSetup setup;
  const std::string temp = setup.box.Path("temp/");
  fs::create_directories(temp);
  ::chmod(temp.c_str(), 01777);
  const auto theirs = AsNobody([&] {
    FILE* file = ::fopen((temp + "~hh4711.tmp").c_str(), "w");
    return file != nullptr && ::fclose(file) == 0;
  });
  ASSERT_TRUE(theirs.has_value() && *theirs);
  setup.box.Write("temp/~hhEARLIER.tmp", "an earlier run's");
  setup.box.Write("compiler.sh",
                  "#!/bin/sh\nprintf x > \"$TMPDIR/~hh$$.tmp\"\nprintf ITSF > \"${1%.hhp}.chm\"\n");
  ::chmod(setup.box.Path("compiler.sh").c_str(), 0700);
  setup.Build();

  const char* previous = std::getenv("TMPDIR");
  const std::string restore = previous ? previous : "";
  ::setenv("TMPDIR", temp.c_str(), 1);
  output::CompileOptions options{true, setup.box.Path("compiler.sh")};
  platform::SystemProgramRunner runner;
  text::Reports reports;
  std::vector<std::string> leftovers;
  const bool compiled = output::CompileHelp(options, setup.help, setup.project.libraryFile, runner,
                                            reports, nullptr, &leftovers);
  previous ? ::setenv("TMPDIR", restore.c_str(), 1) : ::unsetenv("TMPDIR");
  EXPECT_TRUE(compiled);
  EXPECT_EQ(leftovers.size(), 1u);
  output::DeleteCompilerTempFiles(leftovers);

  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(temp)) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  // No private folder of the run is left either.
  EXPECT_EQ(left, (std::vector<std::string>{"~hh4711.tmp", "~hhEARLIER.tmp"}));
}

}  // namespace
}  // namespace qs::hardening
