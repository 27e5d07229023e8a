#include "project/projectfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/atomicfile.h"
#include "support/projectfixture.h"
#include "text/textops.h"

namespace {

namespace fs = std::filesystem;
using qs::project::HelpProject;
using qs::project::LoadContext;
using qs::project::LoadProject;
using qs::project::SaveProject;
using qs::project::Topic;
using qs::project::TopicIcon;
using qs::testsupport::MakeProject;
using qs::testsupport::RowTexts;
using qs::testsupport::StoreNames;
using qs::text::Reports;

const std::string kHeader = "QuillSmith Project *** DO NOT EDIT ***";
const std::string kLicense =
    "This purebasic user library is provided 'as-is', without any express or implied "
    "warranty.\n"
    "In no event will the author be held liable for any damages arising from the use of this "
    "software.\n"
    "Permission is granted to anyone to use this software for any purpose, including "
    "commercial\n"
    "applications, and redistribute it freely.";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

const std::string B6 = "\xB6";

class ProjectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           (std::string("qs_projectfile_") + info->name() + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    qs::platform::AtomicFile::FailWritesAfterForTesting(std::nullopt);
    fs::remove_all(dir_);
  }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Saves and loads back into a fresh project; fails the test on any report.
  HelpProject RoundTrip(HelpProject& project) {
    Reports reports;
    const std::string path = PathOf("round.qsp");
    EXPECT_TRUE(SaveProject(project, path, reports));
    HelpProject loaded;
    EXPECT_TRUE(LoadProject(loaded, path, {}, reports));
    EXPECT_TRUE(reports.empty());
    return loaded;
  }

  // The files in the folder other than the ones named: leftovers of a failed save.
  std::vector<std::string> OtherFiles(const std::vector<std::string>& expected) const {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
        others.push_back(name);
      }
    }
    return others;
  }

  fs::path dir_;
};

HelpProject FreshMyLibProject() {
  HelpProject project;
  project.projectFile = "C:\\Work\\MyLib.qsp";
  project.libraryFile = "C:\\PureBasic\\PureLibraries\\UserLibraries\\MyLib";
  project.helpFolder = "C:\\Work\\Help\\";
  Topic index;
  index.name = "Index";
  index.title = "MyLib library";
  index.summary = "This is a purebasic user library.";
  index.body = "MyFunc";
  index.icon = TopicIcon::IndexIcon;
  Topic function;
  function.name = "MyFunc";
  function.parameters = "(Text$)";
  function.title = "MyFunc()";
  function.summary = "MyFunc(Text$)";
  function.body = "Shows a text";
  Topic license;
  license.name = "License";
  license.title = "MyLib library license";
  license.isUserTopic = true;
  license.body = kLicense;
  project.SetTopics({index, function, license});
  project.RefillItemsFromStore();
  project.selectedTopic = "Index";
  return project;
}

TEST_F(ProjectFileTest, freshLibraryProjectIsWrittenByteForByte) {
  HelpProject project = FreshMyLibProject();
  Reports reports;
  ASSERT_TRUE(SaveProject(project, PathOf("MyLib.qsp"), reports));
  EXPECT_TRUE(reports.empty());
  // The license keeps its single line feeds: only the line after its last line is CR LF.
  const std::string expected = Lines({kHeader,
                                      "C:\\Work\\MyLib.qsp",
                                      "C:\\PureBasic\\PureLibraries\\UserLibraries\\MyLib",
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
                                      B6});
  EXPECT_EQ(ReadBytes(PathOf("MyLib.qsp")), expected);
  // 30 lines when a lone LF counts as a line end.
  std::size_t lineEnds = 0;
  for (char c : expected) lineEnds += c == '\n';
  EXPECT_EQ(lineEnds, 30u);
}

TEST_F(ProjectFileTest, loadRebuildsStoreRowsFlagsAndSelection) {
  HelpProject project = FreshMyLibProject();
  HelpProject loaded = RoundTrip(project);
  EXPECT_EQ(StoreNames(loaded), (std::vector<std::string>{"Index", "MyFunc", "License"}));
  EXPECT_EQ(RowTexts(loaded), StoreNames(loaded));
  EXPECT_EQ(loaded.selectedTopic, "Index");
  EXPECT_EQ(loaded.selectedRow(), 0);
  EXPECT_EQ(loaded.projectFile, "C:\\Work\\MyLib.qsp");
  EXPECT_EQ(loaded.helpFolder, "C:\\Work\\Help\\");
  EXPECT_EQ(loaded.TopicAt(0).icon, TopicIcon::IndexIcon);
  EXPECT_EQ(loaded.TopicAt(1).icon, TopicIcon::PageIcon);
  EXPECT_EQ(loaded.TopicAt(1).summary, "MyFunc(Text$)");
  EXPECT_TRUE(loaded.TopicAt(2).isUserTopic);
  EXPECT_EQ(loaded.TopicAt(2).icon, TopicIcon::PageIcon);
  // The single line feeds of the license come back as CR LF.
  EXPECT_EQ(loaded.TopicAt(2).body, qs::text::ReplaceAll(kLicense, "\n", "\r\n"));
}

TEST_F(ProjectFileTest, textsSurviveRoundTripIncludingTrailingCrLfAndEmptyTexts) {
  HelpProject project = MakeProject({"Index", "A", "G#", "B", "License*"});
  Topic& a = project.TopicAt(1);
  a.summary = "first\r\nsecond\r\n";  // ends in CR LF: one empty line before the mark
  a.body = "";
  a.example = "\r\n\r\n";
  Topic& b = project.TopicAt(3);
  b.summary = "x";
  b.body = "\r\n";
  b.example = "one\r\n\r\nthree";
  project.TopicAt(2).title = "Group";

  HelpProject loaded = RoundTrip(project);
  ASSERT_EQ(loaded.TopicCount(), project.TopicCount());
  for (std::size_t i = 0; i < project.TopicCount(); ++i) {
    Topic expected = project.TopicAt(i);
    expected.icon = loaded.TopicAt(i).icon;
    EXPECT_EQ(loaded.TopicAt(i), expected) << "topic " << i;
  }
  EXPECT_TRUE(loaded.TopicAt(2).isUserIndex);
  EXPECT_EQ(loaded.TopicAt(2).icon, TopicIcon::IndexIcon);
}

TEST_F(ProjectFileTest, recordsFollowDisplayOrderAndStoreFollowsFile) {
  HelpProject project = MakeProject({"Index", "A", "B", "License*"});
  project.ClearItems();
  for (const char* name : {"Index", "B", "A", "Missing", "License"}) {
    project.AppendItem({name, TopicIcon::PageIcon});
  }
  HelpProject loaded = RoundTrip(project);
  // A row with no topic behind it writes nothing.
  EXPECT_EQ(StoreNames(loaded), (std::vector<std::string>{"Index", "B", "A", "License"}));
  EXPECT_EQ(RowTexts(loaded), StoreNames(loaded));
}

TEST_F(ProjectFileTest, nameEndingInMarkByteComesBackShorterAndFlagged) {
  HelpProject project = MakeProject({"Index", "Plus\xB1", "Div\xF7"});
  HelpProject loaded = RoundTrip(project);
  EXPECT_EQ(StoreNames(loaded), (std::vector<std::string>{"Index", "Plus", "Div"}));
  EXPECT_TRUE(loaded.TopicAt(1).isUserTopic);
  EXPECT_TRUE(loaded.TopicAt(2).isUserIndex);
}

TEST_F(ProjectFileTest, everyLineEndIsAcceptedOnLoad) {
  // The same project with CR LF, LF, CR and NUL line ends, and the last line unterminated.
  const std::vector<std::string> lines = {kHeader, "p",  "l", "h", "Index", "", "T",
                                          "s1",    "s2", B6,  B6,  "e",     B6};
  for (const std::string& eol :
       std::vector<std::string>{"\r\n", "\n", "\r", std::string(1, '\0')}) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      bytes += lines[i];
      if (i + 1 < lines.size()) bytes += eol;
    }
    WriteBytes(PathOf("eol.qsp"), bytes);
    HelpProject loaded;
    Reports reports;
    ASSERT_TRUE(LoadProject(loaded, PathOf("eol.qsp"), {}, reports)) << int(eol[0]);
    ASSERT_EQ(loaded.TopicCount(), 1u);
    EXPECT_EQ(loaded.TopicAt(0).summary, "s1\r\ns2");
    EXPECT_EQ(loaded.TopicAt(0).body, "");
    EXPECT_EQ(loaded.TopicAt(0).example, "e");
  }
  // Mixed within one text: each kind of end separates lines, CR LF counts once.
  WriteBytes(PathOf("mixed.qsp"), Lines({kHeader, "p", "l", "h", "Index", "", "T"}) +
                                      "a\nb\rc\r\nd" + std::string(1, '\0') + B6 + "\r\n" + B6 +
                                      "\r\n" + B6 + "\r\n");
  HelpProject loaded;
  Reports reports;
  ASSERT_TRUE(LoadProject(loaded, PathOf("mixed.qsp"), {}, reports));
  EXPECT_EQ(loaded.TopicAt(0).summary, "a\r\nb\r\nc\r\nd");
}

TEST_F(ProjectFileTest, failuresReportAndKeepTheProject) {
  HelpProject project = MakeProject({"Index", "A"});
  project.projectFile = "old";
  const HelpProject before = project;
  Reports reports;

  EXPECT_FALSE(LoadProject(project, PathOf("absent.qsp"), {}, reports));
  EXPECT_FALSE(LoadProject(project, dir_.string(), {}, reports));  // a folder
  WriteBytes(PathOf("other.qsp"), "Some other text\r\np\r\nl\r\nh\r\nIndex\r\n");
  EXPECT_FALSE(LoadProject(project, PathOf("other.qsp"), {}, reports));
  WriteBytes(PathOf("empty.qsp"), "");
  EXPECT_FALSE(LoadProject(project, PathOf("empty.qsp"), {}, reports));
  // The header must be exact: a byte-order mark in front makes it another text.
  WriteBytes(PathOf("bom.qsp"), "\xEF\xBB\xBF" + Lines({kHeader, "p", "l", "h", "Index"}));
  EXPECT_FALSE(LoadProject(project, PathOf("bom.qsp"), {}, reports));

  EXPECT_EQ(project.topics(), before.topics());
  EXPECT_EQ(project.projectFile, "old");
  ASSERT_EQ(reports.size(), 5u);
  EXPECT_EQ(reports[0],
            qs::text::ErrorReport("Could not read file '" + PathOf("absent.qsp") + "'!"));
  EXPECT_EQ(reports[1].text, "Could not read file '" + dir_.string() + "'!");
  EXPECT_EQ(reports[2], qs::text::ErrorReport("The file '" + PathOf("other.qsp") +
                                              "' is not a valid project!"));
  EXPECT_EQ(reports[3].text, "The file '" + PathOf("empty.qsp") + "' is not a valid project!");
  EXPECT_EQ(reports[4].text, "The file '" + PathOf("bom.qsp") + "' is not a valid project!");
}

TEST_F(ProjectFileTest, projectWithoutTopicsDoesNotLoadButPathsAreTakenOver) {
  HelpProject empty;
  empty.projectFile = "saved.qsp";
  empty.libraryFile = "lib";
  empty.helpFolder = "help/";
  Reports reports;
  ASSERT_TRUE(SaveProject(empty, PathOf("empty.qsp"), reports));
  EXPECT_EQ(ReadBytes(PathOf("empty.qsp")), Lines({kHeader, "saved.qsp", "lib", "help/"}));

  for (const std::string tail : {"", "\r\n\r\n"}) {
    WriteBytes(PathOf("empty.qsp"), Lines({kHeader, "saved.qsp", "lib", "help/"}) + tail);
    HelpProject project = MakeProject({"Index", "A"});
    EXPECT_FALSE(LoadProject(project, PathOf("empty.qsp"), {}, reports));
    EXPECT_EQ(StoreNames(project), (std::vector<std::string>{"Index", "A"}));
    EXPECT_EQ(project.projectFile, "saved.qsp");
    EXPECT_EQ(project.libraryFile, "lib");
    EXPECT_EQ(project.helpFolder, "help/");
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(ProjectFileTest, truncatedFilesAndTrailingBlankLinesLoadWithoutHanging) {
  const std::string head = Lines({kHeader, "p", "l", "h", "Index", "", "T", "s", B6, "b", B6, B6});
  Reports reports;
  HelpProject loaded;

  // Blank lines after the last record are no record.
  WriteBytes(PathOf("blank.qsp"), head + "\r\n\n\r" + std::string(1, '\0'));
  ASSERT_TRUE(LoadProject(loaded, PathOf("blank.qsp"), {}, reports));
  EXPECT_EQ(StoreNames(loaded), (std::vector<std::string>{"Index"}));

  // Cut inside the body: the record is kept with what was read; the rest stays empty.
  WriteBytes(PathOf("cut.qsp"), head + Lines({"A", "(x)", "A()", "A(x)", B6, "line1"}) + "line2");
  ASSERT_TRUE(LoadProject(loaded, PathOf("cut.qsp"), {}, reports));
  ASSERT_EQ(StoreNames(loaded), (std::vector<std::string>{"Index", "A"}));
  EXPECT_EQ(loaded.TopicAt(1).summary, "A(x)");
  EXPECT_EQ(loaded.TopicAt(1).body, "line1\r\nline2");
  EXPECT_EQ(loaded.TopicAt(1).example, "");

  // Cut right after a name line: the topic has that name and nothing else.
  WriteBytes(PathOf("name.qsp"), head + "Lone\xF7");
  ASSERT_TRUE(LoadProject(loaded, PathOf("name.qsp"), {}, reports));
  ASSERT_EQ(loaded.TopicCount(), 2u);
  Topic lone;
  lone.name = "Lone";
  lone.isUserIndex = true;
  lone.icon = TopicIcon::IndexIcon;
  EXPECT_EQ(loaded.TopicAt(1), lone);

  // Only the header: not a project with topics.
  WriteBytes(PathOf("short.qsp"), kHeader);
  EXPECT_FALSE(LoadProject(loaded, PathOf("short.qsp"), {}, reports));
  EXPECT_TRUE(reports.empty());
}

TEST_F(ProjectFileTest, endOfTextLineInsideATextCutsItOnLoad) {
  // The format has no escape: a text line that is the mark byte alone ends the text early,
  // and the lines after it are read as the next texts and records.
  HelpProject project = MakeProject({"Index", "A"});
  project.TopicAt(1).body = "before\r\n" + B6 + "\r\nafter";
  HelpProject loaded = RoundTrip(project);
  EXPECT_EQ(loaded.TopicAt(1).body, "before");
  EXPECT_EQ(loaded.TopicAt(1).example, "after");
  EXPECT_EQ(loaded.TopicCount(), 3u);  // the last mark line starts a record of its own
}

TEST_F(ProjectFileTest, failedSaveLeavesThePreviousFileIntact) {
  HelpProject project = FreshMyLibProject();
  Reports reports;
  const std::string target = PathOf("keep.qsp");
  ASSERT_TRUE(SaveProject(project, target, reports));
  const std::string good = ReadBytes(target);
  project.TopicAt(1).body = "changed";

  // A write that fails midway through.
  qs::platform::AtomicFile::FailWritesAfterForTesting(100);
  EXPECT_FALSE(SaveProject(project, target, reports));
  qs::platform::AtomicFile::FailWritesAfterForTesting(std::nullopt);
  EXPECT_EQ(ReadBytes(target), good);
  EXPECT_TRUE(OtherFiles({"keep.qsp"}).empty());

  // The target's folder does not exist, or the target is a folder.
  const std::string noFolder = PathOf("missing/x.qsp");
  EXPECT_FALSE(SaveProject(project, noFolder, reports));
  fs::create_directory(dir_ / "folder.qsp");
  EXPECT_FALSE(SaveProject(project, PathOf("folder.qsp"), reports));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.qsp"));
  EXPECT_TRUE(OtherFiles({"keep.qsp", "folder.qsp"}).empty());

  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[0], qs::text::ErrorReport("Could not create file '" + target + "'!"));
  EXPECT_EQ(reports[1].text, "Could not create file '" + noFolder + "'!");
  EXPECT_EQ(reports[2].text, "Could not create file '" + PathOf("folder.qsp") + "'!");

  // A later good save replaces the file.
  EXPECT_TRUE(SaveProject(project, target, reports));
  EXPECT_NE(ReadBytes(target), good);
}

class RelocationTest : public ProjectFileTest {
 protected:
  // A project file naming a library that no longer exists, and an installation folder.
  void SetUp() override {
    ProjectFileTest::SetUp();
    install_ = (dir_ / "pb").string() + "/";
    fs::create_directories(dir_ / "pb" / "PureLibraries" / "UserLibraries");
    WriteBytes(PathOf("p.qsp"), Lines({kHeader, "p", "C:\\Old\\PureLibraries\\UserLibraries\\MyLib",
                                       "h", "Index", "", "", B6, B6, B6}));
  }
  std::string Candidate() const { return install_ + "PureLibraries/UserLibraries/MyLib"; }

  std::string install_;
};

TEST_F(RelocationTest, offersLibraryOfSameNameFromInstallation) {
  WriteBytes(Candidate(), "library bytes");
  std::vector<qs::text::Report> asked;
  for (bool answer : {false, true}) {
    HelpProject project;
    Reports reports;
    LoadContext context{install_, [&](const qs::text::Report& question) {
                          asked.push_back(question);
                          return answer;
                        }};
    ASSERT_TRUE(LoadProject(project, PathOf("p.qsp"), context, reports));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(project.libraryFile,
              answer ? Candidate() : "C:\\Old\\PureLibraries\\UserLibraries\\MyLib");
    EXPECT_EQ(project.modified, answer);
  }
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].title, "WARNING");
  EXPECT_EQ(asked[0].icon, qs::text::ReportIcon::Exclamation);
  EXPECT_EQ(asked[0].text,
            "The library could not be found !\nC:\\Old\\PureLibraries\\UserLibraries\\MyLib"
            "\n\nDo you want to replace it with the following ?\n" +
                Candidate());
}

TEST_F(RelocationTest, asksNothingWhenNoUsableCandidateOrNoQuestion) {
  int asked = 0;
  const auto ask = [&](const qs::text::Report&) {
    ++asked;
    return true;
  };
  HelpProject project;
  Reports reports;
  // No file of that name; then an empty one, which does not count.
  ASSERT_TRUE(LoadProject(project, PathOf("p.qsp"), {install_, ask}, reports));
  WriteBytes(Candidate(), "");
  ASSERT_TRUE(LoadProject(project, PathOf("p.qsp"), {install_, ask}, reports));
  // A real candidate, but no way to ask (the command-line tool), or no installation known.
  WriteBytes(Candidate(), "bytes");
  ASSERT_TRUE(LoadProject(project, PathOf("p.qsp"), {install_, {}}, reports));
  ASSERT_TRUE(LoadProject(project, PathOf("p.qsp"), {"", ask}, reports));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(project.libraryFile, "C:\\Old\\PureLibraries\\UserLibraries\\MyLib");

  // The saved library still exists: nothing is asked either.
  WriteBytes(PathOf("lib"), "bytes");
  WriteBytes(PathOf("q.qsp"),
             Lines({kHeader, "p", PathOf("lib"), "h", "Index", "", "", B6, B6, B6}));
  ASSERT_TRUE(LoadProject(project, PathOf("q.qsp"), {install_, ask}, reports));
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(project.modified);
}

}  // namespace
