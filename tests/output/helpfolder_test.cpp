#include "output/helpfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <set>

#include "output/pagewriter.h"
#include "support/logcapture.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::CrLfLines;
using testsupport::MakeProject;
using testsupport::ReadBytes;
using testsupport::TempFolder;

project::HelpProject ExampleProject() {
  auto project = MakeProject({"Index", "P", "Q", "G#", "R", "U*"});
  project.libraryFile = "C:\\PureBasic\\PureLibraries\\UserLibraries\\MyLib";
  return project;
}

// `page`: the page's file name as the entry names it, when it is not name + ".html".
std::vector<std::string> Entry(std::string_view name, std::string_view page = {}) {
  return {"<LI> <OBJECT type=\"text/sitemap\">",
          "<param name=\"name\" value=\"" + std::string(name) + "\">",
          "<param name=\"Local\" value=\"" +
              (page.empty() ? std::string(name) + ".html" : std::string(page)) + "\">",
          "</OBJECT>"};
}

// The contents file from a readable outline: "[Name" is an entry that opens a group,
// "Name" an entry, "<UL>"/"</UL>" as they are.
std::string Contents(std::string_view functions, std::vector<std::string> outline) {
  std::vector<std::string> lines = {
      "<HTML><HEAD><meta name=\"GENERATOR\" content=\"QuillSmith\"><!-- Sitemap 1.0 --></HEAD>",
      "<BODY><OBJECT type=\"text/site properties\">",
      "<param name=\"Window Styles\" value=\"0x800025\">",
      "</OBJECT>",
      "<UL>",
      "<LI> <OBJECT type=\"text/sitemap\">",
      "<param name=\"name\" value=\"" + std::string(functions) + "\">",
      "<param name=\"Local\" value=\"Index.html\">",
      "</OBJECT>",
  };
  for (const auto& item : outline) {
    if (item == "<UL>" || item == "</UL>") {
      lines.push_back(item);
    } else {
      for (auto& line : Entry(item)) lines.push_back(line);
    }
  }
  lines.push_back("</UL></BODY></HTML>");
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

TEST(HelpProjectFile, namesTheLibraryFilesAndEveryPageInDisplayOrder) {
  auto project = ExampleProject();
  project.InsertItem(project.ItemCount(), {"Ghost", project::TopicIcon::PageIcon});
  // A name beyond ASCII is listed by its page's file name, which the compiler looks for.
  project.AppendTopic(testsupport::MakeTopic("Caf\xE9 \x96 Notes*"));
  project.InsertItem(project.ItemCount(), {"Caf\xE9 \x96 Notes", project::TopicIcon::PageIcon});
  EXPECT_EQ(HelpProjectFileText(project),
            CrLfLines({
                "; QuillSmith help project",
                "[OPTIONS]",
                "Compatibility=1.1 Or later",
                "Compiled file=MyLib.chm",
                "Contents file=MyLib.hhc",
                "Title=MyLib library help",
                "Default topic=Index.html",
                "Default Window=MAIN",
                "Display compile progress=No",
                "Full-text search=Yes",
                "Language=0x40c",
                "[FILES]",
                "Index.html",
                "P.html",
                "Q.html",
                "G.html",
                "R.html",
                "U.html",
                testsupport::kOnWindows ? "Caf\xE9 \x96 Notes.html"
                                        : "Caf\xC3\xA9 \xE2\x80\x93 Notes.html",
            }));
}

TEST(HelpProjectFile, namesTheKeywordIndexRightAfterTheContentsOnlyWhenAsked) {
  const auto project = ExampleProject();
  std::string expected = HelpProjectFileText(project);
  const std::string contents = "Contents file=MyLib.hhc\r\n";
  expected.insert(expected.find(contents) + contents.size(), "Index file=MyLib.hhk\r\n");
  EXPECT_EQ(HelpProjectFileText(project, BuildOptions{true}), expected);
  EXPECT_EQ(HelpProjectFileText(project, BuildOptions{false}), HelpProjectFileText(project));
}

TEST(ContentsFile, nestsGroupsInTheBookAndPutsUserTopicsAfterIt) {
  EXPECT_EQ(ContentsFileText(ExampleProject(), {}),
            Contents("Functions", {"<UL>", "P", "Q", "G", "<UL>", "R", "</UL>", "</UL>", "U"}));
}

TEST(ContentsFile, aSecondGroupClosesTheFirstAndAUserTopicEndsNesting) {
  auto project = MakeProject({"Index", "G#", "A", "H#", "B", "L*", "K#", "C"});
  project.InsertItem(2, {"Ghost", project::TopicIcon::PageIcon});
  EXPECT_EQ(ContentsFileText(project, {}),
            Contents("Functions", {"<UL>", "G", "<UL>", "A", "</UL>", "H", "<UL>", "B", "</UL>",
                                   "</UL>", "L", "K", "C"}));
}

// Every page but the Index page, whatever its kind, sorted without regard to case: names that
// differ only in case keep both entries, upper case first; a repeated name and an empty one
// give no further entry; a second plain "Index" would only lead to the start page again.
// ("\311" and "\351" are the Windows-1252 letters E and e with an acute accent.)
TEST(KeywordIndexFile, listsEveryPageOnceSortedWithoutRegardToCase) {
  auto project = MakeProject({"Index", "zeta", "Alpha", "alpha", "Group#", "\351clair", "ALPHA",
                              "Zeta", "", "Index", "\311clair", "Alpha", "sub\\Page", "About*"});
  std::vector<std::string> lines = {
      "<HTML><HEAD><meta name=\"GENERATOR\" content=\"QuillSmith\"><!-- Sitemap 1.0 --></HEAD>",
      "<BODY>",
      "<UL>",
  };
  for (const std::string name :
       {"About", "ALPHA", "Alpha", "alpha", "Group", "sub\\Page", "Zeta", "zeta"}) {
    for (auto& line : Entry(name)) lines.push_back(line);
  }
  // Accented names lead to their page by its file name: UTF-8 here, the code page on Windows.
  for (auto& line :
       Entry("\311clair", testsupport::kOnWindows ? "\311clair.html" : "\303\211clair.html")) {
    lines.push_back(line);
  }
  for (auto& line :
       Entry("\351clair", testsupport::kOnWindows ? "\351clair.html" : "\303\251clair.html")) {
    lines.push_back(line);
  }
  lines.push_back("</UL></BODY></HTML>");
  std::string expected;
  for (const auto& line : lines) expected += line + "\r\n";
  EXPECT_EQ(KeywordIndexText(project), expected);

  EXPECT_EQ(KeywordIndexText(MakeProject({"Index"})),
            CrLfLines({"<HTML><HEAD><meta name=\"GENERATOR\" content=\"QuillSmith\"><!-- "
                       "Sitemap 1.0 --></HEAD>",
                       "<BODY>", "<UL>", "</UL></BODY></HTML>"}));
}

TEST(BuildHelpFolder, writesEveryFileInOrderRecordsThemAndRebuildsTheSameBytes) {
  TempFolder scratch;
  auto project = ExampleProject();
  project.FindTopic("P")->body = "Uses Q, R and Index.";
  const std::string folder = scratch.Path() + "help";  // no trailing separator
  BuildRecord record;
  text::Reports reports;
  const std::string log = BuildHelpFolder(project, {}, folder, record, reports);
  const std::string f = folder + testsupport::Native("/");
  const std::vector<std::string> files = {f + "MyLib.hhp", f + "MyLib.hhc", f + "Index.html",
                                          f + "P.html",    f + "Q.html",    f + "G.html",
                                          f + "R.html",    f + "U.html"};
  std::string expectedLog;
  for (const auto& file : files) expectedLog += file + "\n";
  EXPECT_EQ(log, expectedLog);
  EXPECT_EQ(record, (BuildRecord{f, files}));
  EXPECT_EQ(ReadBytes(f + "MyLib.hhp"), HelpProjectFileText(project));
  EXPECT_EQ(ReadBytes(f + "MyLib.hhc"), ContentsFileText(project, {}));
  EXPECT_EQ(ReadBytes(f + "Index.html"), IndexPageText(project, {}));
  AutoLinker linker(project);
  EXPECT_EQ(ReadBytes(f + "P.html"), TopicPageText(project, *project.FindTopic("P"), {}, linker));

  std::map<std::string, std::string> bytes;
  for (const auto& file : files) bytes[file] = ReadBytes(file);
  testsupport::WriteBytes(f + "Q.html", "old");  // the second build must replace it
  // A page that a killed build left half rewritten where it was: as long as the whole one,
  // with its old tail. The next build must not pass it over as unchanged.
  std::string torn = bytes[f + "R.html"];
  torn.replace(torn.size() / 2, std::string::npos, torn.size() - torn.size() / 2, '#');
  testsupport::WriteBytes(f + "R.html", torn);
  EXPECT_EQ(BuildHelpFolder(project, {}, f, record, reports), log);
  for (const auto& file : files) EXPECT_EQ(ReadBytes(file), bytes[file]) << file;
  EXPECT_TRUE(reports.empty());
}

// The keyword index comes right after the contents, in the record and the log like every
// file, so erasing takes it too; every other file is what the build without it writes.
TEST(BuildHelpFolder, theKeywordIndexIsOneMoreRecordedFileAndChangesNothingElse) {
  TempFolder scratch;
  auto project = ExampleProject();
  project.FindTopic("P")->body = "Uses Q, R and Index.";
  const std::string plain = scratch.Path() + "plain/";
  const std::string indexed = scratch.Path() + "indexed/";
  BuildRecord plainRecord;
  BuildRecord record;
  text::Reports reports;
  ASSERT_NE(BuildHelpFolder(project, {}, plain, plainRecord, reports), "");
  const std::string log = BuildHelpFolder(project, {}, indexed, record, reports, {true});
  EXPECT_TRUE(reports.empty());

  std::vector<std::string> files;
  for (const auto& file : plainRecord.files) {
    files.push_back(indexed + file.substr(plain.size()));
    if (file.ends_with(".hhc")) files.push_back(indexed + "MyLib.hhk");
  }
  EXPECT_EQ(record, (BuildRecord{indexed, files}));
  std::string expectedLog;
  for (const auto& file : files) expectedLog += file + "\n";
  EXPECT_EQ(log, expectedLog);
  EXPECT_EQ(ReadBytes(indexed + "MyLib.hhk"), KeywordIndexText(project));
  EXPECT_EQ(ReadBytes(indexed + "MyLib.hhp"), HelpProjectFileText(project, {true}));
  for (const auto& file : plainRecord.files) {
    if (file.ends_with(".hhp")) continue;
    EXPECT_EQ(ReadBytes(indexed + file.substr(plain.size())), ReadBytes(file)) << file;
  }

  EraseBuildFiles(record);
  EXPECT_TRUE(fs::is_empty(indexed));
}

TEST(BuildHelpFolder, aKeywordIndexThatCannotBeWrittenFailsTheBuildAfterTheContents) {
  TempFolder scratch;
  const std::string folder = scratch.Path();
  fs::create_directories(folder + "MyLib.hhk");
  BuildRecord record;
  text::Reports reports;
  EXPECT_EQ(BuildHelpFolder(ExampleProject(), {}, folder, record, reports, {true}), "");
  EXPECT_EQ(record.files, (std::vector<std::string>{folder + "MyLib.hhp", folder + "MyLib.hhc"}));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, "Could not create file '" + folder + "MyLib.hhk'!");
  EXPECT_FALSE(fs::exists(folder + "Index.html"));
}

TEST(BuildHelpFolder, indexOnlyProjectGivesAnEmptyBookAndThreeFiles) {
  TempFolder scratch;
  auto project = MakeProject({"Index"});
  project.libraryFile = "Solo";
  config::LanguageTable captions;
  captions.functions = "Funktionen";
  BuildRecord record;
  text::Reports reports;
  BuildHelpFolder(project, captions, scratch.Path(), record, reports);
  EXPECT_EQ(record.files.size(), 3u);
  const std::string hhp = ReadBytes(scratch.Path() + "Solo.hhp");
  EXPECT_EQ(hhp.substr(hhp.find("[FILES]")), "[FILES]\r\nIndex.html\r\n");
  EXPECT_EQ(ReadBytes(scratch.Path() + "Solo.hhc"), Contents("Funktionen", {"<UL>", "</UL>"}));
}

TEST(BuildHelpFolder, namesWithSeparatorsMakeSubFoldersInside) {
  TempFolder scratch;
  auto project = MakeProject({"Index", "sub/A", "win\\B", "/C", "\xE9t\xE9/Caf\xE9 \x96 D*"});
  BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(BuildHelpFolder(project, {}, scratch.Path(), record, reports).empty());
  EXPECT_TRUE(fs::is_regular_file(scratch.Path() + "sub/A.html"));
  EXPECT_TRUE(fs::is_regular_file(scratch.Path() + "win/B.html"));
  EXPECT_TRUE(fs::is_regular_file(scratch.Path() + "C.html"));
  // Letters beyond ASCII, in the folder and the file, are named as the system names files.
  const std::string accented = testsupport::kOnWindows
                                   ? "\xE9t\xE9/Caf\xE9 \x96 D.html"
                                   : "\xC3\xA9t\xC3\xA9/Caf\xC3\xA9 \xE2\x80\x93 D.html";
  // The C++ library of the Windows cross build reads narrow names in another code page than
  // the system calls the program makes, so there the record alone tells the name.
  if (!testsupport::kOnWindows) {
    EXPECT_TRUE(fs::is_regular_file(scratch.Path() + accented));
  }
  EXPECT_EQ(record.files.back(), scratch.Path() + testsupport::Native(accented));
}

// A page that would land outside the folder is refused like a file that cannot be made; the
// files written before it stay, and stay recorded.
TEST(BuildHelpFolder, namesThatWouldLeaveTheFolderFailTheBuildAndWriteNothingOutside) {
  for (const std::string name : {"../Escape", "a/../../Escape", "..\\Escape", "C:Escape"}) {
    TempFolder scratch;
    const std::string folder = scratch.Path() + "help/";
    auto project = MakeProject({"Index", "Fine", name, "Later"});
    BuildRecord record;
    text::Reports reports;
    EXPECT_EQ(BuildHelpFolder(project, {}, folder, record, reports), "") << name;
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_EQ(reports[0].title, "Error");
    EXPECT_EQ(reports[0].text, "Could not create file '" + folder + name + ".html'!");
    EXPECT_FALSE(fs::exists(scratch.Path() + "Escape.html")) << name;
    EXPECT_FALSE(fs::exists(folder + "Later.html"));
    ASSERT_EQ(record.files.size(), 4u);
    EXPECT_EQ(record.files.back(), folder + "Fine.html");
  }
}

TEST(BuildHelpFolder, aLinkInsideTheFolderDoesNotLeadPagesOutside) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Wine makes no symbolic links";
  TempFolder scratch;
  const std::string folder = scratch.Path() + "help/";
  fs::create_directories(folder);
  fs::create_directories(scratch.Path() + "elsewhere");
  fs::create_directory_symlink(scratch.Path() + "elsewhere", folder + "docs");
  testsupport::WriteBytes(scratch.Path() + "elsewhere/target", "kept");
  fs::create_symlink(scratch.Path() + "elsewhere/target", folder + "A.html");
  BuildRecord record;
  text::Reports reports;
  // A link at a page's own name is replaced, not written through.
  EXPECT_FALSE(BuildHelpFolder(MakeProject({"Index", "A"}), {}, folder, record, reports).empty());
  EXPECT_FALSE(fs::is_symlink(folder + "A.html"));
  EXPECT_EQ(ReadBytes(scratch.Path() + "elsewhere/target"), "kept");
  // A linked sub-folder is refused.
  EXPECT_EQ(BuildHelpFolder(MakeProject({"Index", "docs/Page"}), {}, folder, record, reports), "");
  EXPECT_FALSE(fs::exists(scratch.Path() + "elsewhere/Page.html"));
}

// What an earlier build's help project file tells about the files it left: only names this
// program writes, below the folder, from a file that starts as ours.
TEST(FilesNamedInHelpProject, givesOnlyTheContentsIndexAndPagesBelowTheFolder) {
  const std::string n = testsupport::Native("/");
  const struct {
    std::string text;
    std::vector<std::string> files;
  } cases[] = {
      {CrLfLines({"; QuillSmith help project", "[OPTIONS]", "Compiled file=L.chm",
                  "Contents file=L.hhc", "Index file=L.hhk", "Default topic=Index.html", "[FILES]",
                  "Index.html", "sub/A.html", "win\\B.html", "/C.html", ""}),
       {"L.hhc", "L.hhk", "Index.html", "sub" + n + "A.html", "win" + n + "B.html", n + "C.html"}},
      // Line feeds alone read alike; a trailing line without one counts.
      {"; QuillSmith help project\n[OPTIONS]\nContents file=L.hhc\n[FILES]\nA.html",
       {"L.hhc", "A.html"}},
      // Nothing that would leave the folder or is no page of a topic; the compiled file and
      // the pictures are never named.
      {CrLfLines({"; QuillSmith help project", "[OPTIONS]", "Contents file=../L.hhc",
                  "Index file=sub/L.hhk", "Contents file=.hhc", "Compiled file=L.chm", "[FILES]",
                  "../Out.html", "a/../../Out.html", "C:Out.html", "pic.png", ".html", "Fine.html",
                  "[ALIAS]", "Other.html"}),
       {"Fine.html"}},
      // Not a help project file of this program: nothing.
      {CrLfLines({"[OPTIONS]", "Contents file=L.hhc", "[FILES]", "A.html"}), {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FilesNamedInHelpProject(c.text), c.files) << c.text;
}

// A rebuild removes the pages of topics since deleted or renamed, and a keyword index no
// longer asked for, both across runs (from the help project file the earlier build left) and
// in one run (from the record, also after the library got another name). Nothing else goes:
// no file of another name, no compiled file, no link and nothing behind one.
TEST(BuildHelpFolder, aRebuildRemovesTheEarlierBuildsFilesItDidNotWriteAndNothingElse) {
  for (const bool acrossRuns : {true, false}) {
    TempFolder scratch;
    const std::string folder = scratch.Path() + "help/";
    auto first = MakeProject({"Index", "Kept", "Renamed", "sub/deep/Gone*", "Linked*", "ln/Page*"});
    first.libraryFile = "/libs/Old";
    BuildRecord record;
    text::Reports reports;
    ASSERT_NE(BuildHelpFolder(first, {}, folder, record, reports, {true}), "");
    for (const char* mine : {"Mine.html", "pic.png", "Old.chm", "sub/Notes.txt"}) {
      testsupport::WriteBytes(folder + mine, "the author's");
    }
    if (!testsupport::kOnWindows) {
      // A link at an earlier page's name, and a sub-folder that is a link: left alone.
      testsupport::WriteBytes(scratch.Path() + "outside.html", "outside");
      fs::remove(folder + "Linked.html");
      fs::create_symlink(scratch.Path() + "outside.html", folder + "Linked.html");
      fs::create_directories(scratch.Path() + "elsewhere");
      testsupport::WriteBytes(scratch.Path() + "elsewhere/Page.html", "elsewhere");
      fs::remove_all(folder + "ln");
      fs::create_directory_symlink(scratch.Path() + "elsewhere", folder + "ln");
    }

    auto second = MakeProject({"Index", "Kept", "Fresh"});
    // Across runs the library keeps its name: its help project file tells what was built.
    second.libraryFile = acrossRuns ? "/libs/Old" : "/libs/New";
    if (acrossRuns) record = {};
    ASSERT_NE(BuildHelpFolder(second, {}, folder, record, reports), "");
    EXPECT_TRUE(reports.empty());

    std::set<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      left.insert(entry.path().lexically_relative(folder).generic_string());
    }
    std::set<std::string> expected = {"Index.html", "Kept.html", "Fresh.html", "Mine.html",
                                      "pic.png",    "Old.chm",   "sub",        "sub/Notes.txt"};
    expected.insert(acrossRuns ? "Old.hhp" : "New.hhp");
    expected.insert(acrossRuns ? "Old.hhc" : "New.hhc");
    if (!testsupport::kOnWindows) {
      expected.insert({"Linked.html", "ln"});
      EXPECT_TRUE(fs::is_symlink(folder + "Linked.html"));
      EXPECT_EQ(ReadBytes(scratch.Path() + "outside.html"), "outside");
      EXPECT_EQ(ReadBytes(scratch.Path() + "elsewhere/Page.html"), "elsewhere");
    }
    // "sub/deep" held only the gone page and went with it; "sub" holds the author's file.
    EXPECT_EQ(left, expected) << (acrossRuns ? "across runs" : "in one run");
  }
}

TEST(EraseBuildFiles, deletesRecordedFilesButNeverOutsideTheFolderOrFolders) {
  TempFolder scratch;
  const std::string folder = scratch.Path() + "help/";
  auto project = MakeProject({"Index", "A", "sub/B"});
  BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(BuildHelpFolder(project, {}, folder, record, reports).empty());
  testsupport::WriteBytes(scratch.Path() + "keep.txt", "x");
  testsupport::WriteBytes(folder + "other.txt", "x");
  fs::create_directories(folder + "dir.html");

  BuildRecord tampered = record;
  tampered.files.push_back(folder + "../keep.txt");
  tampered.files.push_back(scratch.Path() + "keep.txt");
  tampered.files.push_back(folder + "dir.html");
  fs::remove(folder + "A.html");  // already gone: skipped quietly
  EraseBuildFiles(tampered);
  for (const auto& file : record.files) EXPECT_FALSE(fs::exists(file)) << file;
  EXPECT_TRUE(fs::exists(scratch.Path() + "keep.txt"));
  EXPECT_TRUE(fs::exists(folder + "other.txt"));
  EXPECT_TRUE(fs::is_directory(folder + "dir.html"));
  EraseBuildFiles(BuildRecord{});  // nothing to do
}

// Erasing tells the user nothing, by design: the log says what went, what stayed and why.
TEST(EraseBuildFiles, logsWhatWentAndWhatStayedAndWhy) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Wine makes no symbolic links";
  TempFolder scratch;
  const std::string folder = scratch.Path() + "help/";
  BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(BuildHelpFolder(MakeProject({"Index", "A"}), {}, folder, record, reports).empty());
  testsupport::WriteBytes(scratch.Path() + "keep.txt", "x");
  fs::remove(folder + "Index.html");
  fs::remove(folder + "A.html");
  fs::create_symlink(scratch.Path() + "keep.txt", folder + "A.html");
  record.files.push_back(scratch.Path() + "keep.txt");

  testsupport::LogCapture log("qs.output");
  EraseBuildFiles(record);
  EXPECT_TRUE(fs::is_symlink(folder + "A.html"));
  EXPECT_EQ(
      log.lines(),
      (std::vector<std::string>{
          "qs.output: erased '" + folder + ".hhp'", "qs.output: erased '" + folder + ".hhc'",
          "qs.output: kept '" + folder + "Index.html': gone",
          "qs.output: kept '" + folder + "A.html': a link",
          "qs.output: warning kept '" + scratch.Path() + "keep.txt': outside '" + folder + "'"}));
}

}  // namespace
}  // namespace qs::output
