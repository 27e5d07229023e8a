#include "project/projectfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"
#include "text/textops.h"

namespace {

namespace fs = std::filesystem;
using namespace qs::project;
using qs::testsupport::CrLfLines;
using qs::testsupport::MakeProject;
using qs::testsupport::StoreNames;
using qs::text::Reports;
using Names = std::vector<std::string>;

const std::string kHeader = "QuillSmith Project *** DO NOT EDIT ***";
const std::string B6 = "\xB6";
const std::string kLicense =
    "This purebasic user library is provided 'as-is', without any express or implied "
    "warranty.\nIn no event will the author be held liable for any damages arising from the "
    "use of this software.\nPermission is granted to anyone to use this software for any "
    "purpose, including commercial\napplications, and redistribute it freely.";

class ProjectFileTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
  // Loads `bytes` into a fresh project; the result of the load.
  bool LoadBytes(const std::string& bytes, HelpProject& project, const LoadContext& context = {}) {
    temp_.Write("in.qsp", bytes);
    return LoadProject(project, temp_.Path("in.qsp"), context, reports_);
  }
  HelpProject RoundTrip(HelpProject& project) {
    EXPECT_TRUE(SaveProject(project, temp_.Path("round.qsp"), reports_));
    HelpProject loaded;
    EXPECT_TRUE(LoadProject(loaded, temp_.Path("round.qsp"), {}, reports_));
    EXPECT_TRUE(reports_.empty());
    return loaded;
  }

  Reports reports_;
};

// A project freshly built from a library MyLib with the one function MyFunc.
HelpProject MyLibProject() {
  HelpProject project;
  project.projectFile = "C:\\Work\\MyLib.qsp";
  project.libraryFile = "C:\\PB\\PureLibraries\\UserLibraries\\MyLib";
  project.helpFolder = "C:\\Work\\Help\\";
  Topic index{"Index", "", "MyLib library", "This is a purebasic user library.", "MyFunc", ""};
  index.icon = TopicIcon::IndexIcon;
  Topic function{"MyFunc", "(Text$)", "MyFunc()", "MyFunc(Text$)", "Shows a text", ""};
  Topic license{"License", "", "MyLib library license", "", kLicense, ""};
  license.isUserTopic = true;
  project.SetTopics({index, function, license});
  project.RefillItemsFromStore();
  return project;
}

TEST_F(ProjectFileTest, freshLibraryProjectIsWrittenByteForByteAndReadBack) {
  HelpProject project = MyLibProject();
  ASSERT_TRUE(SaveProject(project, temp_.Path("MyLib.qsp"), reports_));
  // The license keeps its single line feeds; only its last line ends in CR LF: 30 lines.
  EXPECT_EQ(temp_.Read("MyLib.qsp"), CrLfLines({kHeader,
                                                "C:\\Work\\MyLib.qsp",
                                                "C:\\PB\\PureLibraries\\UserLibraries\\MyLib",
                                                "C:\\Work\\Help\\",
                                                "Index",
                                                "",
                                                "MyLib library",
                                                "This is a purebasic user library.",
                                                B6,
                                                "MyFunc",
                                                B6,
                                                B6,
                                                "MyFunc",
                                                "(Text$)",
                                                "MyFunc()",
                                                "MyFunc(Text$)",
                                                B6,
                                                "Shows a text",
                                                B6,
                                                B6,
                                                "License\xB1",
                                                "",
                                                "MyLib library license",
                                                B6,
                                                kLicense,
                                                B6,
                                                B6}));

  HelpProject loaded = RoundTrip(project);
  EXPECT_EQ(StoreNames(loaded), (Names{"Index", "MyFunc", "License"}));
  EXPECT_EQ(qs::testsupport::RowTexts(loaded), StoreNames(loaded));
  EXPECT_EQ(loaded.shownTopic(), "Index");
  EXPECT_EQ(loaded.selectedRow(), 0);
  EXPECT_EQ(loaded.projectFile, "C:\\Work\\MyLib.qsp");
  EXPECT_EQ(loaded.TopicAt(0).icon, TopicIcon::IndexIcon);
  EXPECT_TRUE(loaded.TopicAt(2).isUserTopic);
  EXPECT_EQ(loaded.TopicAt(2).body, qs::text::ReplaceAll(kLicense, "\n", "\r\n"));
}

TEST_F(ProjectFileTest, textsNamesAndDisplayOrderSurviveRoundTrip) {
  HelpProject project = MakeProject({"Index", "A", "G#", "B", "Plus\xB1", "License*"});
  project.TopicAt(1).summary = "first\r\nsecond\r\n";  // one empty line before the mark
  project.TopicAt(1).example = "\r\n\r\n";
  project.TopicAt(3).body = "one\r\n\r\nthree";
  project.ClearItems();  // display order differs from store order; "Gone" has no topic
  for (const char* name : {"Index", "B", "A", "G", "Gone", "Plus\xB1", "License"}) {
    project.InsertItem(project.ItemCount(), {name, TopicIcon::PageIcon});
  }
  HelpProject loaded = RoundTrip(project);
  // The store follows the file, which follows the display order; a name ending in the mark
  // byte comes back one byte shorter and flagged.
  EXPECT_EQ(StoreNames(loaded), (Names{"Index", "B", "A", "G", "Plus", "License"}));
  EXPECT_EQ(loaded.TopicAt(2).summary, "first\r\nsecond\r\n");
  EXPECT_EQ(loaded.TopicAt(2).body, "");
  EXPECT_EQ(loaded.TopicAt(2).example, "\r\n\r\n");
  EXPECT_EQ(loaded.TopicAt(1).body, "one\r\n\r\nthree");
  EXPECT_TRUE(loaded.TopicAt(3).isUserIndex);
  EXPECT_EQ(loaded.TopicAt(3).icon, TopicIcon::IndexIcon);
  EXPECT_TRUE(loaded.TopicAt(4).isUserTopic);
}

// Texts of several megabytes, larger than the blocks a save writes in, come back byte for
// byte, and so does the file: a long single line, CR LF lines with an empty last one, lone
// line feeds, and a text that ends right where a block would.
TEST_F(ProjectFileTest, largeTextsAndTheirFileSurviveRoundTrip) {
  HelpProject project = MakeProject({"Index", "A", "B", "Note*"});
  std::string lines;
  for (int i = 0; i < 60000; ++i) lines += "Line " + std::to_string(i) + " of a long text\r\n";
  const std::string big(3 << 20, 'x');
  const std::string block(1 << 20, 'b');
  const std::string nearBlock = std::string((1 << 20) - 2, 's') + "\r\n";
  const std::string middle(2 << 20, 'n');
  project.TopicAt(1).body = lines;
  project.TopicAt(1).example = big;
  project.TopicAt(2).summary = nearBlock;
  project.TopicAt(2).body = block;
  project.TopicAt(3).body = "a\nb\n" + middle + "\nc";
  HelpProject loaded = RoundTrip(project);
  // Line feeds come back as CR LF; everything else as it was.
  project.TopicAt(3).body = "a\r\nb\r\n" + middle + "\r\nc";
  EXPECT_TRUE(loaded.topics() == project.topics());

  // The file as the format lays it out, written the plain way.
  const auto record = [](const std::string& nameLine, const std::string& parameters,
                         const std::string& title, const std::vector<std::string>& texts) {
    std::string bytes = nameLine + "\r\n" + parameters + "\r\n" + title + "\r\n";
    for (const auto& value : texts) bytes += (value.empty() ? "" : value + "\r\n") + B6 + "\r\n";
    return bytes;
  };
  const std::string head =
      CrLfLines({kHeader, "", "", ""}) + record("Index", "", "Index", {"", "", ""}) +
      record("A", "()", "A", {"A()", lines, big}) + record("B", "()", "B", {nearBlock, block, ""});
  EXPECT_TRUE(temp_.Read("round.qsp") ==
              head + record("Note\xB1", "", "Note", {"", "a\nb\n" + middle + "\nc", ""}));
  const std::string expected =
      head + record("Note\xB1", "", "Note", {"", project.TopicAt(3).body, ""});
  ASSERT_TRUE(SaveProject(loaded, temp_.Path("again.qsp"), reports_));
  EXPECT_TRUE(temp_.Read("again.qsp") == expected);
}

TEST_F(ProjectFileTest, everyLineEndIsAccepted) {
  const Names lines = {kHeader, "p", "l", "h", "Index", "", "T", "s1", "s2", B6, B6, "e", B6};
  for (const std::string& eol : Names{"\r\n", "\n", "\r", std::string(1, '\0')}) {
    std::string bytes;
    for (const auto& line : lines) bytes += (bytes.empty() ? "" : eol) + line;  // last unended
    HelpProject loaded;
    ASSERT_TRUE(LoadBytes(bytes, loaded)) << int(eol[0]);
    EXPECT_EQ(loaded.TopicAt(0).summary, "s1\r\ns2");
    EXPECT_EQ(loaded.TopicAt(0).example, "e");
  }
  HelpProject mixed;
  ASSERT_TRUE(LoadBytes(CrLfLines({kHeader, "p", "l", "h", "Index", "", "T"}) + "a\nb\rc\r\nd" +
                            std::string(1, '\0') + CrLfLines({B6, B6, B6}),
                        mixed));
  EXPECT_EQ(mixed.TopicAt(0).summary, "a\r\nb\r\nc\r\nd");
}

TEST_F(ProjectFileTest, failuresReportAndLeaveTheProjectAlone) {
  HelpProject project = MakeProject({"Index", "A"});
  const auto before = project.topics();
  EXPECT_FALSE(LoadProject(project, temp_.Path("absent.qsp"), {}, reports_));
  EXPECT_FALSE(LoadProject(project, temp_.Path(), {}, reports_));  // a folder
  EXPECT_FALSE(LoadBytes("Another text\r\np\r\nl\r\nh\r\nIndex\r\n", project));
  EXPECT_FALSE(LoadBytes("", project));
  EXPECT_FALSE(LoadBytes("\xEF\xBB\xBF" + CrLfLines({kHeader, "p", "l", "h", "Index"}), project));
  EXPECT_EQ(project.topics(), before);
  EXPECT_EQ(project.projectFile, "");
  ASSERT_EQ(reports_.size(), 5u);
  EXPECT_EQ(reports_[0],
            qs::text::ErrorReport("Could not read file '" + temp_.Path("absent.qsp") + "'!"));
  EXPECT_EQ(reports_[1].text, "Could not read file '" + temp_.Path() + "'!");
  for (std::size_t i = 2; i < 5; ++i) {
    EXPECT_EQ(reports_[i], qs::text::ErrorReport("The file '" + temp_.Path("in.qsp") +
                                                 "' is not a valid project!"));
  }
}

TEST_F(ProjectFileTest, projectWithoutTopicsFailsSilentlyButTakesThePaths) {
  HelpProject empty;
  empty.libraryFile = "lib";
  ASSERT_TRUE(SaveProject(empty, temp_.Path("empty.qsp"), reports_));
  EXPECT_EQ(temp_.Read("empty.qsp"), CrLfLines({kHeader, "", "lib", ""}));
  for (const std::string tail : {"", "\r\n\n"}) {
    HelpProject project = MakeProject({"Index", "A"});
    EXPECT_FALSE(LoadBytes(CrLfLines({kHeader, "saved", "lib", "help/"}) + tail, project));
    EXPECT_EQ(StoreNames(project), (Names{"Index", "A"}));
    EXPECT_EQ(project.projectFile + project.libraryFile + project.helpFolder, "savedlibhelp/");
  }
  HelpProject project;
  EXPECT_FALSE(LoadBytes(kHeader, project));  // the header alone
  EXPECT_TRUE(reports_.empty());
}

TEST_F(ProjectFileTest, shortFilesAndStrayMarksLoadWithoutHangingOrOverreading) {
  const std::string head =
      CrLfLines({kHeader, "p", "l", "h", "Index", "", "T", "s", B6, "b", B6, B6});
  HelpProject loaded;
  // Blank lines after the last record are no record.
  ASSERT_TRUE(LoadBytes(head + "\r\n\n\r" + std::string(1, '\0'), loaded));
  EXPECT_EQ(StoreNames(loaded), (Names{"Index"}));
  // Cut inside a text: the record keeps what was read; the texts after it stay empty.
  ASSERT_TRUE(
      LoadBytes(head + CrLfLines({"A", "(x)", "A()", "A(x)", B6, "line1"}) + "line2", loaded));
  ASSERT_EQ(StoreNames(loaded), (Names{"Index", "A"}));
  EXPECT_EQ(loaded.TopicAt(1).summary, "A(x)");
  EXPECT_EQ(loaded.TopicAt(1).body, "line1\r\nline2");
  // Cut right after a name line.
  ASSERT_TRUE(LoadBytes(head + "Lone\xF7", loaded));
  Topic lone{"Lone", "", "", "", "", ""};
  lone.isUserIndex = true;
  lone.icon = TopicIcon::IndexIcon;
  EXPECT_EQ(loaded.TopicAt(1), lone);
  // The format has no escape: a text line that is the mark alone ends the text early and the
  // rest is read as the next text and a record of its own.
  HelpProject project = MakeProject({"Index", "A"});
  project.TopicAt(1).body = "before\r\n" + B6 + "\r\nafter";
  loaded = RoundTrip(project);
  EXPECT_EQ(loaded.TopicAt(1).body, "before");
  EXPECT_EQ(loaded.TopicAt(1).example, "after");
  EXPECT_EQ(loaded.TopicCount(), 3u);
}

TEST_F(ProjectFileTest, failedSaveLeavesThePreviousFileByteForByte) {
  HelpProject project = MyLibProject();
  ASSERT_TRUE(SaveProject(project, temp_.Path("keep.qsp"), reports_));
  const std::string good = temp_.Read("keep.qsp");
  project.TopicAt(1).body = "changed";
  // A disk that fills midway is tried by the hardening tests, with a real file size limit.
  EXPECT_FALSE(SaveProject(project, temp_.Path("missing/x.qsp"), reports_));
  fs::create_directory(temp_.Path("folder.qsp"));
  EXPECT_FALSE(SaveProject(project, temp_.Path("folder.qsp"), reports_));
  EXPECT_EQ(temp_.Read("keep.qsp"), good);
  EXPECT_TRUE(fs::is_directory(temp_.Path("folder.qsp")));
  EXPECT_EQ(temp_.EntryCount(), 2u);  // no temporary file is left behind
  ASSERT_EQ(reports_.size(), 2u);
  EXPECT_EQ(reports_[0],
            qs::text::ErrorReport("Could not create file '" + temp_.Path("missing/x.qsp") + "'!"));
  EXPECT_EQ(reports_[1].text, "Could not create file '" + temp_.Path("folder.qsp") + "'!");
  // A good save replaces the file and keeps its permissions (as far as the system has them).
  fs::permissions(temp_.Path("keep.qsp"), fs::perms::owner_read | fs::perms::owner_write);
  const auto permissions = fs::status(temp_.Path("keep.qsp")).permissions();
  EXPECT_TRUE(SaveProject(project, temp_.Path("keep.qsp"), reports_));
  EXPECT_NE(temp_.Read("keep.qsp"), good);
  EXPECT_EQ(fs::status(temp_.Path("keep.qsp")).permissions(), permissions);
}

TEST_F(ProjectFileTest, movedLibraryIsOfferedFromTheInstallationOnlyWhenUsable) {
  const std::string install = temp_.Path("pb/");
  const std::string candidate =
      install + qs::testsupport::Native("PureLibraries/UserLibraries/MyLib");
  const std::string saved = "C:\\Old\\PureLibraries\\UserLibraries\\MyLib";
  fs::create_directories(install + "PureLibraries/UserLibraries");
  const std::string file = CrLfLines({kHeader, "p", saved, "h", "Index", "", "", B6, B6, B6});
  std::vector<qs::text::Report> asked;
  bool answer = false;
  const LoadContext ask{install, [&](const qs::text::Report& question) {
                          asked.push_back(question);
                          return answer;
                        }};
  HelpProject project;
  ASSERT_TRUE(LoadBytes(file, project, ask));  // no file of that name
  temp_.Write("pb/PureLibraries/UserLibraries/MyLib", "");
  ASSERT_TRUE(LoadBytes(file, project, ask));  // an empty one does not count
  EXPECT_TRUE(asked.empty());

  temp_.Write("pb/PureLibraries/UserLibraries/MyLib", "bytes");
  ASSERT_TRUE(LoadBytes(file, project, {install, {}}));  // no way to ask: no relocation
  ASSERT_TRUE(LoadBytes(file, project, {"", ask.askReplaceLibrary}));  // no installation
  ASSERT_TRUE(LoadBytes(file, project, ask));                          // answered No
  EXPECT_EQ(project.libraryFile, saved);
  EXPECT_FALSE(project.modified);
  answer = true;
  ASSERT_TRUE(LoadBytes(file, project, ask));
  EXPECT_EQ(project.libraryFile, candidate);
  EXPECT_TRUE(project.modified);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], (qs::text::Report{"WARNING",
                                        "The library could not be found !\n" + saved +
                                            "\n\nDo you want to replace it with the following "
                                            "?\n" +
                                            candidate,
                                        qs::text::ReportIcon::Exclamation}));

  // The saved library still exists: nothing is asked.
  HelpProject present;
  ASSERT_TRUE(LoadBytes(CrLfLines({kHeader, "p", candidate, "h", "Index", "", "", B6, B6, B6}),
                        present, ask));
  EXPECT_EQ(asked.size(), 2u);
}

}  // namespace
