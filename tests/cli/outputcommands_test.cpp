#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/clirunner.h"
#include "config/languagefiles.h"
#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "output/website.h"
#include "platform/helpcompilerlocator.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "project/usertopics.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define QS_ADDRESS_LIMIT_WORKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QS_ADDRESS_LIMIT_WORKS 0
#endif
#endif
#ifndef QS_ADDRESS_LIMIT_WORKS
#define QS_ADDRESS_LIMIT_WORKS 1
#endif

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
  const auto outcome = RunCli({"build", project_, "--compile", "--erase", "--keyword-index"});
  const std::string chm = help_ + "TextKit.chm";
  // The sample's "Escapes <, >, & and quotes" reaches its page as written; chmcmd cannot read
  // "<," and writes the help all the same. That is no plain success.
  ASSERT_EQ(outcome.status, kCompiledWithErrors) << outcome.err;
  EXPECT_EQ(outcome.err,
            "Error in TextEscapeHTML.html: Html parsing TextEscapeHTML.html, failed with a DOM "
            "error: EDOMError in DOMDocument.CreateElement\n"
            "Help files compiled with 1 error to " +
                chm + "\n");
  EXPECT_NE(outcome.out.find(help_ + "TextKit.hhk\n"), std::string::npos) << outcome.out;
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
  // The keyword index went into the compiled file with the pages.
  EXPECT_NE(listing.find("/TextKit.hhk\n"), std::string::npos) << listing;
  for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
    EXPECT_NE(listing.find(" /" + project.TopicAt(pos).name + ".html\n"), std::string::npos)
        << project.TopicAt(pos).name;
  }
}

// What a command prints on its standard output.
std::string OutputOf(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);
  return output;
}

// What a compiled help file holds, as chmls lists it.
std::string ChmListing(const std::string& chm) {
  return OutputOf("chmls list '" + chm + "' 2>/dev/null");
}

// Two runs of quillsmith-cli with the real chmcmd: the second knows the first build only from
// the help project file it left. Pages of a renamed and a deleted topic are gone from the folder
// and from the compiled help, though a page still links to one; the author's files, a link
// at a gone page's name and a linked sub-folder stay. A page chmcmd cannot read makes it write
// the help all the same: that is reported as "compiled with 1 error", with exit status 3.
TEST_F(OutputCommandsTest, aRebuildLeavesNoStalePageAndCompilerErrorsAreCounted) {
  const char* path = std::getenv("PATH");
  if (platform::FindHelpCompiler().empty() ||
      platform::FindProgramOnPath("chmls", path ? path : "", ':').empty()) {
    GTEST_SKIP() << "chmcmd and chmls are not installed";
  }
  const auto save = [&](std::initializer_list<std::string_view> recipe, const char* brokenPage) {
    auto project = testsupport::MakeProject(recipe);
    project.libraryFile = library_;
    project.helpFolder = help_;
    // A link that outlives its page: the compiler takes in whatever it leads to.
    project.FindTopic("Alpha")->body = "See <a href=\"Old.html\">the earlier page</a>.";
    if (brokenPage != nullptr) project.FindTopic(brokenPage)->body = "<1a>";
    text::Reports reports;
    ASSERT_TRUE(project::SaveProject(project, project_, reports));
  };
  save({"Index", "Alpha", "Old*", "Gone*", "sub/Deep*", "ln/Page*", "License*"}, nullptr);
  const auto first = RunCli({"build", project_, "--compile", "--keyword-index"});
  ASSERT_EQ(first.status, kSuccess) << first.err;
  EXPECT_NE(ChmListing(help_ + "TextKit.chm").find(" /Old.html\n"), std::string::npos);

  testsupport::WriteBytes(help_ + "pic.png", "picture");
  testsupport::WriteBytes(help_ + "Mine.html", "the author's page");
  testsupport::WriteBytes(folder_ + "outside.html", "outside");
  fs::remove(help_ + "Gone.html");
  fs::create_symlink(folder_ + "outside.html", help_ + "Gone.html");
  fs::create_directories(folder_ + "elsewhere");
  testsupport::WriteBytes(folder_ + "elsewhere/Page.html", "elsewhere");
  fs::remove_all(help_ + "ln");
  fs::create_directory_symlink(folder_ + "elsewhere", help_ + "ln");

  // "Old" renamed "Fresh", "Gone", "sub/Deep" and "ln/Page" deleted, no keyword index.
  save({"Index", "Alpha", "Fresh*", "License*"}, "Fresh");
  const auto second = RunCli({"build", project_, "--compile"});
  const std::string chm = help_ + "TextKit.chm";
  EXPECT_EQ(second.status, kCompiledWithErrors) << second.err;
  EXPECT_TRUE(second.out.ends_with("\n" + chm + "\n")) << second.out;
  EXPECT_EQ(second.err,
            "Error in Fresh.html: Html parsing Fresh.html, failed with a DOM error: EDOMError in "
            "DOMDocument.CreateElement\n"
            "Warning in Alpha.html: Found file Old.html while scanning Alpha.html, but couldn't "
            "find it on disk\n"
            "Help files compiled with 1 error and 1 warning to " +
                chm + "\n");

  std::set<std::string> left;
  for (const auto& entry : fs::recursive_directory_iterator(help_)) {
    left.insert(entry.path().lexically_relative(help_).generic_string());
  }
  EXPECT_EQ(left, (std::set<std::string>{"TextKit.hhp", "TextKit.hhc", "TextKit.chm", "Index.html",
                                         "Alpha.html", "Fresh.html", "License.html", "pic.png",
                                         "Mine.html", "Gone.html", "ln"}));
  EXPECT_TRUE(fs::is_symlink(help_ + "Gone.html"));
  EXPECT_EQ(ReadBytes(folder_ + "outside.html"), "outside");
  EXPECT_EQ(ReadBytes(folder_ + "elsewhere/Page.html"), "elsewhere");
  const std::string listing = ChmListing(chm);
  EXPECT_NE(listing.find(" /Fresh.html\n"), std::string::npos) << listing;
  for (const char* stale : {"/Old.html", "/Gone.html", "/sub/Deep.html", "/TextKit.hhk"}) {
    EXPECT_EQ(listing.find(std::string(" ") + stale + "\n"), std::string::npos) << stale;
  }
}

// Every quoted value of `attribute` (href or value) that names an .html file.
std::vector<std::string> PagesNamedIn(const std::string& bytes, const std::string& attribute) {
  std::vector<std::string> pages;
  const std::string opening = attribute + "=\"";
  for (std::size_t at = bytes.find(opening); at != std::string::npos;
       at = bytes.find(opening, at + 1)) {
    const std::size_t start = at + opening.size();
    const std::size_t end = bytes.find('"', start);
    if (end == std::string::npos) break;
    const std::string value = bytes.substr(start, end - start);
    if (value.ends_with(".html")) pages.push_back(value);
  }
  return pages;
}

// A user topic, a user index entry and a function whose names hold letters beyond ASCII are
// compiled by the real compiler, and what is read back from the compiled file finds them: the
// contents, the keyword index, the Index page's list and the auto-links each name a page the
// compiled file holds.
TEST_F(OutputCommandsTest, pagesWithNamesBeyondAsciiAreCompiledAndFoundFromEveryEntry) {
  if (platform::FindHelpCompiler().empty()) GTEST_SKIP() << "chmcmd is not installed";
  if (OutputOf("command -v chmls >/dev/null && command -v extract_chmLib >/dev/null && echo found")
          .empty()) {
    GTEST_SKIP() << "chmls or extract_chmLib is not installed (Debian: libchm-bin)";
  }
  // Windows-1252, as the model holds them; the files are named in UTF-8 here.
  const std::vector<std::pair<std::string, std::string>> names = {
      {"Notes caf\xE9", "Notes caf\xC3\xA9.html"},
      {"Gruppe \xC9t\xE9", "Gruppe \xC3\x89t\xC3\xA9.html"},
      {"Text\x96Mot", "Text\xE2\x80\x93Mot.html"}};
  auto project = LoadedProject();
  auto topics = project.topics();
  topics[2].name = names[2].first;
  project.SetTopics(std::move(topics));
  project.RefillItemsFromStore();
  project.TopicAt(1).body = "See " + names[2].first + ".";
  const std::string linking = project.TopicAt(1).name + ".html";
  ASSERT_TRUE(project::AddUserTopic(project, names[0].first).added);
  ASSERT_TRUE(project::AddUserIndex(project, names[1].first).added);
  // The new page's placeholder text is markup the compiler cannot read; give it plain text so
  // that the only error left is the sample library's own page of escapes.
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    if (project.TopicAt(pos).name == names[0].first) project.TopicAt(pos).body = "Notes.";
  }
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(project, project_, reports));

  const auto outcome = RunCli({"build", project_, "--compile", "--keyword-index"});
  ASSERT_EQ(outcome.status, kCompiledWithErrors) << outcome.err;
  EXPECT_EQ(outcome.err.find("caf"), std::string::npos) << outcome.err;
  for (const auto& [name, file] : names) {
    EXPECT_TRUE(fs::is_regular_file(help_ + file)) << file;
    EXPECT_NE(ReadBytes(help_ + "TextKit.hhp").find("\r\n" + file + "\r\n"), std::string::npos);
  }
  const std::string chm = help_ + "TextKit.chm";
  const std::string listing = OutputOf("chmls list '" + chm + "' 2>/dev/null");
  const std::string extracted = folder_ + "extracted/";
  OutputOf("extract_chmLib '" + chm + "' '" + extracted + "' >/dev/null 2>&1");
  for (const auto& [name, file] : names) {
    EXPECT_NE(listing.find(" /" + file + "\n"), std::string::npos) << file << "\n" << listing;
    EXPECT_EQ(ReadBytes(extracted + file), ReadBytes(help_ + file)) << file;
  }

  // Every page that the contents, the keyword index and the pages name is in the compiled
  // file: nothing leads to a page that is not there.
  std::set<std::string> named;
  for (const auto& [file, attribute] :
       std::vector<std::pair<std::string, std::string>>{{"TextKit.hhc", "value"},
                                                        {"TextKit.hhk", "value"},
                                                        {"Index.html", "href"},
                                                        {linking, "href"}}) {
    const std::string bytes = ReadBytes(extracted + file);
    ASSERT_FALSE(bytes.empty()) << file;
    for (const auto& page : PagesNamedIn(bytes, attribute)) {
      named.insert(file + " -> " + page);
      EXPECT_TRUE(fs::is_regular_file(extracted + page)) << file << " names " << page;
    }
  }
  for (const auto& expected :
       {"TextKit.hhc -> " + names[0].second, "TextKit.hhc -> " + names[1].second,
        "TextKit.hhc -> " + names[2].second, "TextKit.hhk -> " + names[0].second,
        "Index.html -> " + names[1].second, "Index.html -> " + names[2].second,
        linking + " -> " + names[2].second}) {
    EXPECT_TRUE(named.contains(expected)) << expected;
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

// With QUILLSMITH_LOG the real program adds the compiler's run to standard error; the
// messages and the exit status stay as they are, and without it there is no line more.
TEST_F(OutputCommandsTest, theLogVariableAddsTheCompilerRunToStandardErrorAndNothingElse) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "shell scripts stand in for the compilers";
  const std::string compiler = folder_ + "compiler";
  WriteScript(compiler, "exit 3");  // no compiled file: a failure, with its message
  const auto run = [&](const std::string& variable) {
    const std::string command =
        variable + " '" + std::getenv("QS_TEST_BINARY_DIR") + "/src/cli/quillsmith-cli' build '" +
        project_ + "' --compile --compiler '" + compiler + "' > /dev/null 2> '" + folder_ + "err'";
    const int status = std::system(command.c_str());
    return std::to_string(status) + "\n" + ReadBytes(folder_ + "err");
  };
  const std::string quiet = run("env -u QUILLSMITH_LOG");
  std::string logged = run("env QUILLSMITH_LOG=qs.output,qs.platform");
  const std::string lines[] = {"qs.output: compiler: '" + compiler + "' '",
                               "qs.platform: '" + compiler + "' ended with exit status 3\n",
                               "qs.output: compiler ran "};
  for (const std::string& line : lines) {
    const std::size_t at = logged.find(line);
    ASSERT_NE(at, std::string::npos) << line << " in " << logged;
    logged.erase(at, logged.find('\n', at) + 1 - at);
  }
  EXPECT_EQ(logged, quiet);
  EXPECT_NE(quiet.find("Could not create CHM help file!"), std::string::npos);
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

  // A language file that was read but holds no language, and one that cannot be read.
  const std::string notLanguage = folder_ + "plain";
  const auto wrongFile = RunCli({"build", project_, "--language-file", notLanguage});
  EXPECT_EQ(wrongFile.status, kFailure);
  EXPECT_EQ(wrongFile.err, "The file '" + notLanguage + "' is not a language file!\n");
  const auto missing = RunCli({"build", project_, "--language-file", folder_ + "none.lng"});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.err, "Could not read file '" + folder_ + "none.lng'!\n");
}

#ifndef _WIN32
TEST_F(OutputCommandsTest, runningOutOfMemorySaysSoAndFailsWithoutWritingAnything) {
  if (!QS_ADDRESS_LIMIT_WORKS) GTEST_SKIP() << "the address sanitizer needs the address space";
  // A project below the size limit that still does not fit in the memory the process may
  // have: the build must stop with the program's message, not end the process.
  const std::string big = folder_ + "big.qsp";
  {
    // The Index page's description grows to 120 MB: it ends where the first record ends.
    const std::string bytes = ReadBytes(project_);
    const std::size_t end = bytes.find("\r\n\xB6\r\n");
    std::ofstream file(big, std::ios::binary);
    file << bytes.substr(0, end) << std::string(std::size_t{120} << 20, 'a') << bytes.substr(end);
  }
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeEnds[0]);
    const rlim_t limit = 200u << 20;
    const rlimit address{limit, limit};
    setrlimit(RLIMIT_AS, &address);
    const Outcome outcome = RunCli({"build", big, "--out", folder_ + "big help"});
    const std::string said = std::to_string(outcome.status) + " " + outcome.err;
    (void)!write(pipeEnds[1], said.data(), said.size());
    _exit(0);
  }
  close(pipeEnds[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "the process was ended";
  EXPECT_EQ(said, std::to_string(kFailure) + " Memory allocation problem!\n");
  EXPECT_FALSE(fs::exists(folder_ + "big help"));
}
#endif

// "--examples-as-code": the pages and the unique file are the core's with the option, an
// example that a browser (and the compiler) would cut reaches the reader whole, and without the
// option nothing changes.
TEST_F(OutputCommandsTest, examplesAsCodeWritesExamplesAsTypedOnlyWhenAsked) {
  {
    auto project = LoadedProject();
    project.FindTopic("TextTrim")->example = "If Len(a$) <, 3 : Debug \"<&>\" : EndIf";
    project.FindTopic("TextWord")->example = "w$ = TextTrim(TextWord(s$, 1))";
    text::Reports reports;
    ASSERT_TRUE(project::SaveProject(project, project_, reports));
  }
  const auto project = LoadedProject();
  for (const bool asCode : {false, true}) {
    const std::string out = folder_ + (asCode ? "code" : "markup");
    std::vector<std::string> args = {"build", project_, "--out", out};
    if (asCode) args.push_back("--examples-as-code");
    const auto built = RunCli(args);
    ASSERT_EQ(built.status, kSuccess) << built.err;
    output::BuildRecord record;
    text::Reports reports;
    ASSERT_NE(output::BuildHelpFolder(project, {}, out + "-reference", record, reports,
                                      {.examplesAsCode = asCode}),
              "");
    for (const auto& file : record.files) {
      const std::string name = file.substr((out + "-reference/").size());
      EXPECT_EQ(ReadBytes(out + "/" + name), ReadBytes(file)) << name;
    }
    args[0] = "unique";
    const auto unique = RunCli(args);
    ASSERT_EQ(unique.status, kSuccess) << unique.err;
    EXPECT_EQ(ReadBytes(unique.out.substr(0, unique.out.size() - 1)),
              output::UniqueHtmlText(project, asCode));
  }
  EXPECT_NE(ReadBytes(folder_ + "markup/TextTrim.html").find("\r\nIf Len(a$) <, 3 : Debug \"<&>\""),
            std::string::npos);
  const std::string trim = ReadBytes(folder_ + "code/TextTrim.html");
  EXPECT_NE(trim.find("(a$) &lt;, <font color=\"#0000CC\">3</font> : <font "
                      "color=\"#006666\"><b>Debug</b></font> <font "
                      "color=\"#993300\">\"&lt;&amp;&gt;\"</font>"),
            std::string::npos)
      << trim;
  EXPECT_NE(ReadBytes(folder_ + "code/TextWord.html")
                .find("w$ = <a href=\"TextTrim.html\">TextTrim</a>(<a "
                      "href=\"TextWord.html\">TextWord</a>(s$, <font color=\"#0000CC\">1</font>))"),
            std::string::npos);

  // The help compiler reads the example whole: no error about its page, as there is without.
  if (platform::FindHelpCompiler().empty()) GTEST_SKIP() << "chmcmd is not installed";
  for (const bool asCode : {false, true}) {
    std::vector<std::string> args = {"build", project_, "--compile", "--out",
                                     folder_ + (asCode ? "code chm" : "markup chm")};
    if (asCode) args.push_back("--examples-as-code");
    const auto compiled = RunCli(args);
    EXPECT_EQ(compiled.err.find("Error in TextTrim.html") == std::string::npos, asCode)
        << compiled.err;
  }
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

TEST_F(OutputCommandsTest, webWritesTheSiteAsTheCoreDoesAndLeavesTheHelpAlone) {
  ASSERT_EQ(RunCli({"build", project_}).status, kSuccess);
  std::ofstream(help_ + "logo.png", std::ios::binary) << "PNG";
  const std::string hhp = ReadBytes(help_ + "TextKit.hhp");
  const std::string projectBytes = ReadBytes(project_);
  auto project = LoadedProject();
  project.TopicAt(1).body += "<img src=\"logo.png\">";
  text::Reports saved;
  ASSERT_TRUE(project::SaveProject(project, project_, saved));
  const std::string savedBytes = ReadBytes(project_);

  const std::string site = folder_ + "web site";
  const auto outcome = RunCli({"web", project_, site});
  ASSERT_EQ(outcome.status, kSuccess) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  const std::string sep = testsupport::Native("/");
  EXPECT_EQ(outcome.out.substr(0, site.size() + 12), site + sep + "Index.html\n");
  EXPECT_NE(outcome.out.find(site + sep + "logo.png\n"), std::string::npos);
  EXPECT_NE(outcome.out.find(site + sep + "assets" + sep + "search-index.js\n"), std::string::npos);
  const auto loaded = LoadedProject();
  const output::SiteMap map = output::MapSite(loaded);
  EXPECT_EQ(ReadBytes(site + sep + map.pages[1].path),
            output::SitePageText(loaded, {}, map, 1, output::AutoLinker(loaded)));
  EXPECT_EQ(ReadBytes(site + sep + "logo.png"), "PNG");
  // Nothing of the project, the help folder or the compiled help changes.
  EXPECT_EQ(ReadBytes(project_), savedBytes);
  EXPECT_EQ(ReadBytes(help_ + "TextKit.hhp"), hhp);
  EXPECT_NE(projectBytes, "");

  // Pictures from another folder; captions from a language file.
  config::LanguageState german;
  german.currentLanguage = "Deutsch";
  german.table.description = "Beschreibung";
  ASSERT_TRUE(config::SaveLanguage(folder_, german));
  fs::create_directories(folder_ + "pictures");
  std::ofstream(folder_ + "pictures/logo.png", std::ios::binary) << "OTHER";
  const auto other = RunCli({"web", project_, site, "--help-folder", folder_ + "pictures",
                             "--language-file", folder_ + "QuillSmith_Deutsch.lng"});
  ASSERT_EQ(other.status, kSuccess) << other.err;
  EXPECT_EQ(ReadBytes(site + sep + "logo.png"), "OTHER");
  EXPECT_NE(ReadBytes(site + sep + map.pages[1].path).find("<h2>Beschreibung</h2>"),
            std::string::npos);
}

TEST_F(OutputCommandsTest, webFailuresSayWhy) {
  const auto intoHelp = RunCli({"web", project_, help_});
  EXPECT_EQ(intoHelp.status, kFailure);
  EXPECT_EQ(intoHelp.out, "");
  EXPECT_EQ(intoHelp.err, "The website cannot be written into the help folder '" + help_ +
                              "'!\nError during website creation!\n");
  EXPECT_FALSE(fs::exists(help_ + "Index.html"));

  std::ofstream(folder_ + "plain") << "x";
  const auto blocked = RunCli({"web", project_, folder_ + "plain/site"});
  EXPECT_EQ(blocked.status, kFailure);
  EXPECT_EQ(blocked.err, "Could not create file '" + folder_ + "plain/site" +
                             testsupport::Native("/Index.html") +
                             "'!\nError during website creation!\n");
  for (const auto& wrong : std::vector<std::vector<std::string>>{
           {"web", project_}, {"web", project_, folder_ + "s", "--out", folder_}}) {
    EXPECT_EQ(RunCli(wrong).status, kUsage);
  }
}

}  // namespace
}  // namespace qs::cli
