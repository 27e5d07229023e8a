#include "output/helpcompiler.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "output/helpfolder.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;
using testsupport::WriteBytes;

// A compiler stand-in: records the call and does what the test says.
class FakeRunner : public platform::ProgramRunner {
 public:
  std::function<bool(const std::string& argument, const std::string& folder)> act;
  std::vector<std::string> calls;
  // What the compiler writes to its standard output and error.
  std::string output;

  bool Run(const std::string& program, const std::string& argument,
           const std::string& workingFolder, bool hidden, bool wait) override {
    calls.push_back(program + "|" + argument + "|" + workingFolder + "|" +
                    (hidden ? "hidden" : "shown") + "|" + (wait ? "wait" : "nowait"));
    return act ? act(argument, workingFolder) : true;
  }
  bool RunCollecting(const std::string& program, const std::string& argument,
                     const std::string& workingFolder, std::string& collected) override {
    const bool started = Run(program, argument, workingFolder, true, true);
    collected = output;
    return started;
  }
};

struct CompileSetup {
  TempFolder scratch;
  std::string compiler = scratch.Path() + "compiler";
  // In the system's own form: the compiler gets the folder as a normalised full path.
  std::string folder = testsupport::Native(scratch.Path() + "help/");
  std::string chm = folder + "MyLib.chm";
  CompileOptions options{true, compiler};
  FakeRunner runner;
  text::Reports reports;

  CompileSetup() {
    WriteBytes(compiler, "#!/bin/sh\n");
    fs::create_directories(folder);
  }
  bool Compile() { return CompileHelp(options, folder, "/libs/MyLib", runner, reports); }
};

TEST(CompileHelp, isSilentWhenSwitchedOffOrWithoutCompiler) {
  CompileSetup setup;
  setup.options.compileToChm = false;
  EXPECT_FALSE(setup.Compile());
  setup.options = {true, ""};
  EXPECT_FALSE(setup.Compile());
  EXPECT_TRUE(setup.reports.empty());
  EXPECT_TRUE(setup.runner.calls.empty());
}

TEST(CompileHelp, missingCompilerOrAFolderSwitchesCompilingOff) {
  for (const bool asFolder : {false, true}) {
    CompileSetup setup;
    setup.options.compilerPath = setup.scratch.Path() + (asFolder ? "" : "nothing.exe");
    EXPECT_FALSE(setup.Compile());
    EXPECT_FALSE(setup.options.compileToChm);
    ASSERT_EQ(setup.reports.size(), 1u);
    EXPECT_EQ(setup.reports[0], text::BuildErrorReport("Help compiler not found!\n'" +
                                                       setup.options.compilerPath + "'"));
    EXPECT_TRUE(setup.runner.calls.empty());
  }
}

TEST(CompileHelp, compilerThatCannotStartSwitchesCompilingOff) {
  CompileSetup setup;
  setup.runner.act = [](auto&, auto&) { return false; };
  EXPECT_FALSE(setup.Compile());
  EXPECT_FALSE(setup.options.compileToChm);
  ASSERT_EQ(setup.reports.size(), 1u);
  EXPECT_EQ(setup.reports[0].text, "Could not start help compiler!\n'" + setup.compiler + "'");
  EXPECT_EQ(setup.reports[0].title, "ERROR");
}

// The compiler runs on a copy in a folder of its own, which only this user may enter and
// which is gone afterwards; the compiled file it leaves there is placed into the help folder.
TEST(CompileHelp, runsHiddenAndWaitsOnACopyInAFolderOfItsOwn) {
  CompileSetup setup;
  WriteBytes(setup.folder + "MyLib.hhp", "[FILES]\r\nIndex.html\r\n");
  WriteBytes(setup.folder + "Index.html", "<html>index</html>");
  std::string used;
  setup.runner.act = [&](const std::string& argument, const std::string& folder) {
    used = folder;
    EXPECT_EQ(argument, folder + "MyLib.hhp");
    EXPECT_EQ(testsupport::ReadBytes(folder + "MyLib.hhp"), "[FILES]\r\nIndex.html\r\n");
    EXPECT_EQ(testsupport::ReadBytes(folder + "Index.html"), "<html>index</html>");
#ifndef _WIN32
    EXPECT_EQ(fs::status(fs::path(folder).parent_path().parent_path()).permissions(),
              fs::perms::owner_all);
#endif
    WriteBytes(folder + "MyLib.chm", "ITSF");
    return true;
  };
  EXPECT_TRUE(setup.Compile());
  EXPECT_TRUE(setup.reports.empty());
  EXPECT_TRUE(setup.options.compileToChm);
  ASSERT_EQ(setup.runner.calls.size(), 1u);
  EXPECT_EQ(setup.runner.calls[0],
            setup.compiler + "|" + used + "MyLib.hhp|" + used + "|hidden|wait");
  EXPECT_NE(used, setup.folder);
  EXPECT_FALSE(fs::exists(used));
  EXPECT_EQ(testsupport::ReadBytes(setup.chm), "ITSF");
}

// What the compiler gets: the help project file, what it names, and what the pages and the
// contents refer to, found as the compiler finds it; nothing else of the help folder, nothing
// outside it, no link. A reference that leaves the folder finds nothing in the copy either.
TEST(CompileHelp, theCopyHoldsWhatTheProjectAndItsPagesReferTo) {
  CompileSetup setup;
  const std::map<std::string, std::string> help = {
      {"MyLib.hhp",
       "; QuillSmith help project\r\n[OPTIONS]\r\nCompiled file=MyLib.chm\r\n"
       "Contents file=MyLib.hhc\r\nTitle=MyLib library help\r\nDefault topic=Index.html\r\n"
       "[FILES]\r\nIndex.html\r\nsub\\B c.html\r\n"},
      {"MyLib.hhc",
       "<param name=\"name\" value=\"pic.png\"><param name=\"Local\" value=\"A.html\">"},
      {"Index.html",
       "<IMG SRC=logo.png><a href='sub/B c.html#x'>B</a><img src=\"a%20b.png\">"
       "<a href=\"http://example.org/web.png\">w</a><a href=\"../up.png\">u</a>"
       "<link href = \"/css/s.css\"><a href=\"sub/\">folder</a><a href=\"mailto:x@y.z\">m</a>"},
      {"A.html", "<html>A</html>"},
      {"sub/B c.html",
       "<img src=\"../pic2.png?v=1\"><img src=\"deep/../c.png\">"
       "<img src=\"../../../far.png\">"},
      {"logo.png", "logo"},
      {"a b.png", "a b"},
      {"css/s.css", "css"},
      {"pic2.png", "pic2"},
      {"sub/c.png", "c"},
      {"pic.png", "a name, not a reference"},
      {"unused.png", "no page shows this"},
      {"Mine.html", "the author's own page, in no list"},
  };
  for (const auto& [name, bytes] : help) setup.scratch.Write("help/" + name, bytes);
  WriteBytes(setup.scratch.Path() + "up.png", "outside the help folder");
  WriteBytes(setup.scratch.Path() + "elsewhere.png", "outside the help folder");
#ifndef _WIN32
  fs::create_symlink(setup.scratch.Path() + "elsewhere.png", setup.folder + "web.png");
  fs::create_symlink(setup.scratch.Path() + "elsewhere.png", setup.folder + "sub/link.png");
  setup.scratch.Write("help/sub/B c.html",
                      help.at("sub/B c.html") + "<img src=link.png><img src=\"../web.png\">");
#endif
  std::map<std::string, std::string> copied;
  bool farReferenceStaysInside = false;
  setup.runner.act = [&](auto&, const std::string& folder) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.is_directory()) continue;
      const std::string name = entry.path().lexically_relative(folder).generic_string();
      copied[name] = entry.is_symlink() ? "link" : testsupport::ReadBytes(entry.path().string());
    }
    // "../../../far.png" from sub/ reaches two folders above the copy.
    const std::string far = fs::path(folder + "sub/../../../").lexically_normal().string();
    farReferenceStaysInside = far.find("quillsmith-compile-") != std::string::npos;
    setup.runner.output = "Error: Can't find TOC file " + folder + "X.hhc\n";
    WriteBytes(folder + "MyLib.chm", "ITSF");
    return true;
  };
  std::vector<CompilerMessage> messages;
  ASSERT_TRUE(
      CompileHelp(setup.options, setup.folder, "MyLib", setup.runner, setup.reports, &messages));
  std::map<std::string, std::string> expected = help;
  for (const char* notCopied : {"pic.png", "unused.png", "Mine.html"}) expected.erase(notCopied);
#ifndef _WIN32
  expected["sub/B c.html"] = help.at("sub/B c.html") + "<img src=link.png><img src=\"../web.png\">";
#endif
  EXPECT_EQ(copied, expected);
  EXPECT_TRUE(farReferenceStaysInside);

  std::vector<CompilerMessage> told = {
      {CompilerMessageKind::Error, "", "Can't find TOC file " + setup.folder + "X.hhc"}};
#ifndef _WIN32
  for (const char* link : {"sub/link.png", "web.png"}) {
    told.push_back({CompilerMessageKind::Warning, "",
                    std::string(link) + " is a link or no plain file of its own in the help "
                                        "folder; it was not compiled into the help"});
  }
#endif
  EXPECT_EQ(messages, told);
}

TEST(CompileHelp, anOldCompiledFileIsDeletedSoANoShowCompilerFails) {
  CompileSetup setup;
  WriteBytes(setup.chm, "old compiled help");
  EXPECT_FALSE(setup.Compile());  // the stand-in writes nothing
  EXPECT_FALSE(fs::exists(setup.chm));
  ASSERT_EQ(setup.reports.size(), 1u);
  EXPECT_EQ(setup.reports[0],
            text::BuildErrorReport("Could not create CHM help file!\n'" + setup.chm + "'"));
  EXPECT_TRUE(setup.options.compileToChm);
}

TEST(CompileHelp, anEmptyCompiledFileIsAFailure) {
  CompileSetup setup;
  setup.runner.act = [&](auto&, const std::string& folder) {
    WriteBytes(folder + "MyLib.chm", "");
    return true;
  };
  EXPECT_FALSE(setup.Compile());
  ASSERT_EQ(setup.reports.size(), 1u);
  EXPECT_EQ(setup.reports[0].text, "Could not create CHM help file!\n'" + setup.chm + "'");
}

// A compiler that writes the help file but could not read a page: the help counts as made,
// and its errors come first, with the pages they name, whether or not a file was made.
TEST(CompileHelp, theCompilersErrorsAndWarningsComeBackErrorsFirstWithTheirPages) {
  for (const bool writesFile : {true, false}) {
    CompileSetup setup;
    setup.runner.output =
        "Note: Scanning file Index.html.\n"
        "Warning: Found file Old.html while scanning A.html, but couldn't find it on disk\n"
        "Error: Html parsing sub/B c.html, failed with a DOM error: EDOMError in "
        "DOMDocument.CreateElement\n"
        "Writing CHM MyLib.chm\n";
    setup.runner.act = [&](auto&, const std::string& folder) {
      if (writesFile) WriteBytes(folder + "MyLib.chm", "ITSF");
      return true;
    };
    std::vector<CompilerMessage> messages = {{}};
    EXPECT_EQ(
        CompileHelp(setup.options, setup.folder, "MyLib", setup.runner, setup.reports, &messages),
        writesFile);
    EXPECT_EQ(setup.reports.size(), writesFile ? 0u : 1u);
    EXPECT_EQ(messages,
              (std::vector<CompilerMessage>{
                  {CompilerMessageKind::Error, "sub/B c.html",
                   "Html parsing sub/B c.html, failed with a DOM error: EDOMError in "
                   "DOMDocument.CreateElement"},
                  {CompilerMessageKind::Warning, "A.html",
                   "Found file Old.html while scanning A.html, but couldn't find it on disk"}}));
  }
  // Not run, nothing said: an earlier run's messages do not stay.
  CompileSetup off;
  off.options.compileToChm = false;
  std::vector<CompilerMessage> messages = {{}};
  CompileHelp(off.options, off.folder, "MyLib", off.runner, off.reports, &messages);
  EXPECT_TRUE(messages.empty());
}

// Lines of the compiler's output and what they count as; the page each names.
TEST(CompilerMessages, countsErrorAndWarningLinesAndNamesTheirPages) {
  using K = CompilerMessageKind;
  const struct {
    std::string line;
    bool counts;
    K kind;
    std::string page;
  } cases[] = {
      {"Error: Html parsing B.html, failed. Please submit a bug.", true, K::Error, "B.html"},
      {"Warning: File Missing Page.html does not exist", true, K::Warning, "Missing Page.html"},
      {"Warning: Found file pic.png while scanning A.html, but couldn't find it on disk", true,
       K::Warning, "A.html"},
      {"Error: Can't find TOC file L.hhc", true, K::Error, ""},
      {"ERROR: something", true, K::Error, ""},
      // Another compiler's numbered lines, and a page named as a plain word.
      {"HHC5003: Error: Compilation failed while compiling Index.htm.", true, K::Error,
       "Index.htm"},
      {"HHC3004: Warning: 'Page.html' : The HTML tag is not closed.", true, K::Warning,
       "Page.html"},
      {"Note: Scanning file Index.html.", false, K::Error, ""},
      {"Writing CHM L.chm", false, K::Error, ""},
      {"chmcmd, a CHM compiler. (c) 2010-2019 Free Pascal core.", false, K::Error, ""},
      {"An Error: in the middle", false, K::Error, ""},
      {"TooLongAPrefix1: Error: x", false, K::Error, ""},
      {"Error:", true, K::Error, ""},
  };
  for (const auto& c : cases) {
    for (const char* end : {"\n", "\r\n", ""}) {
      const auto messages = ReadCompilerMessages("Note: first\n" + c.line + end);
      ASSERT_EQ(messages.size(), c.counts ? 1u : 0u) << c.line;
      if (!c.counts) continue;
      EXPECT_EQ(messages[0].kind, c.kind) << c.line;
      EXPECT_EQ(messages[0].page, c.page) << c.line;
    }
  }
}

TEST(CompilerMessages, areCountedInWordsAndShownWithTheirPages) {
  const CompilerMessage error{CompilerMessageKind::Error, "B.html", "Html parsing B.html, failed"};
  const CompilerMessage warning{CompilerMessageKind::Warning, "", "File x does not exist"};
  EXPECT_EQ(CompiledWithText({}), "");
  EXPECT_EQ(CompiledWithText({error}), "compiled with 1 error");
  EXPECT_EQ(CompiledWithText({error, error}), "compiled with 2 errors");
  EXPECT_EQ(CompiledWithText({warning, warning}), "compiled with 2 warnings");
  EXPECT_EQ(CompiledWithText({error, error, warning}), "compiled with 2 errors and 1 warning");
  EXPECT_EQ(MessageLine(error), "Error in B.html: Html parsing B.html, failed");
  EXPECT_EQ(MessageLine(warning), "Warning: File x does not exist");
}

TEST(CompileHelp, aRelativeHelpFolderIsTakenFromTheCurrentFolder) {
  CompileSetup setup;
  WriteBytes(setup.folder + "MyLib.hhp", "[FILES]\r\n");
  const auto previous = fs::current_path();
  fs::current_path(setup.scratch.Path());
  setup.runner.act = [&](const std::string& argument, const std::string& folder) {
    EXPECT_TRUE(fs::path(argument).is_absolute());
    EXPECT_TRUE(fs::exists(folder + "MyLib.hhp"));
    WriteBytes(folder + "MyLib.chm", "x");
    return true;
  };
  const bool compiled = CompileHelp(setup.options, "help", "MyLib", setup.runner, setup.reports);
  fs::current_path(previous);
  EXPECT_TRUE(compiled);
  EXPECT_EQ(testsupport::ReadBytes(setup.chm), "x");
}

std::string OutputOf(const std::string& command) {
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// The value of the first `<param name="` + key + `" value="...">` in `entry`.
std::string ParamValue(std::string_view entry, std::string_view key) {
  const std::string start = "name=\"" + std::string(key) + "\" value=\"";
  const auto at = entry.find(start);
  if (at == std::string_view::npos) return "?";
  const auto from = at + start.size();
  return std::string(entry.substr(from, entry.find('"', from) - from));
}

// The Index tab of a help compiled by the real chmcmd: the compiled file holds the keyword
// index, and the index read back from it lists every page but the Index page, in our order.
TEST(CompileHelp, theRealCompilerTakesTheKeywordIndexAndItReadsBackEntryForEntry) {
  const char* path = std::getenv("PATH");
  const std::string chmls = platform::FindProgramOnPath("chmls", path ? path : "", ':');
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty() || chmls.empty()) GTEST_SKIP() << "chmcmd and chmls are not installed";
  TempFolder scratch;
  const std::string folder = scratch.Path() + "help folder/";
  auto project = testsupport::MakeProject(
      {"Index", "TextTrim", "TextTrimLeft", "textPad", "Group#", "TextTrim", "about*", "License*"});
  project.libraryFile = "/libs/TextKit";
  project.FindTopic("TextTrim")->body = "See TextTrimLeft and Index.";
  BuildRecord record;
  text::Reports reports;
  ASSERT_NE(BuildHelpFolder(project, {}, folder, record, reports, {true}), "");
  CompileOptions options{true, compiler};
  platform::SystemProgramRunner runner;
  ASSERT_TRUE(CompileHelp(options, folder, project.libraryFile, runner, reports));
  const std::string chm = folder + "TextKit.chm";

  EXPECT_NE(OutputOf("'" + chmls + "' list '" + chm + "'").find(" /TextKit.hhk\n"),
            std::string::npos);
  const std::string extracted = scratch.Path() + "index.hhk";
  OutputOf("'" + chmls + "' extractindex '" + chm + "' '" + extracted + "'");
  const std::string index = testsupport::ReadBytes(extracted);
  std::vector<std::string> entries;
  for (auto at = index.find("<LI>"); at != std::string::npos;) {
    const auto next = index.find("<LI>", at + 4);
    const std::string_view entry = std::string_view(index).substr(at, next - at);
    entries.push_back(ParamValue(entry, "Name") + " -> " + ParamValue(entry, "Local"));
    at = next;
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"about -> about.html", "Group -> Group.html",
                                               "License -> License.html", "textPad -> textPad.html",
                                               "TextTrim -> TextTrim.html",
                                               "TextTrimLeft -> TextTrimLeft.html"}))
      << index;
}

TEST(ListingOptions, onlyChmcmdIsAskedToNameTheFilesItAdds) {
  const std::vector<std::string> verbose = {"--verbosity", "5"};
  EXPECT_EQ(ListingOptions("/usr/bin/chmcmd"), verbose);
  EXPECT_EQ(ListingOptions("C:\\fpc\\bin\\ChmCmd.exe"), verbose);
  EXPECT_TRUE(ListingOptions("C:\\HTML Help Workshop\\hhc.exe").empty());
  EXPECT_TRUE(ListingOptions("/opt/chmcmd/wrapper").empty());
}

TEST(DeleteCompilerTempFiles, deletesOnlyTheLeftoversItIsGiven) {
  TempFolder scratch;
  for (const char* name : {"~hh1234.tmp", "~HHx.TMP", "~hh.tmp", "hh1.tmp", "~hh1.tmpx"}) {
    WriteBytes(scratch.Path() + name, "x");
  }
  fs::create_directories(scratch.Path() + "~hhdir.tmp");
  const auto leftovers = CompilerTempFiles(scratch.Path());
  EXPECT_EQ(leftovers,
            (std::vector<std::string>{scratch.Path() + "~HHx.TMP", scratch.Path() + "~hh.tmp",
                                      scratch.Path() + "~hh1234.tmp"}));
  // One of them is replaced by a link before the clean-up: the link stays, and its target.
  fs::remove(scratch.Path() + "~HHx.TMP");
#ifndef _WIN32
  fs::create_symlink(scratch.Path() + "hh1.tmp", scratch.Path() + "~HHx.TMP");
#endif
  DeleteCompilerTempFiles(leftovers);
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(scratch.Path())) {
    left.insert(entry.path().filename().string());
  }
  std::set<std::string> expected = {"hh1.tmp", "~hh1.tmpx", "~hhdir.tmp"};
#ifndef _WIN32
  expected.insert("~HHx.TMP");
#endif
  EXPECT_EQ(left, expected);
  EXPECT_TRUE(CompilerTempFiles(scratch.Path() + "missing/").empty());
}

}  // namespace
}  // namespace qs::output
