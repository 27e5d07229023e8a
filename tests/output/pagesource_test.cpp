// Pages produced on request: for every page file of a help folder the same bytes as the
// folder's build, the folder's rules for shared and odd names, letter case ignored, and the
// live page of texts not yet committed.

#include "output/pagesource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "output/helpfolder.h"
#include "project/topicform.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::MakeProject;
using testsupport::ReadBytes;
using testsupport::TempFolder;

project::HelpProject Described() {
  auto project = MakeProject({"Index", "Open", "OpenFile", "Group#", "Close", "Notes*", "Sub/Deep",
                              "Back\\Slash", "\xC9tat", "Caf\xE9 \x96 Notes*"});
  project.libraryFile = "/libs/MyLib";
  project.TopicAt(0).summary = "The library\r\nof files";
  project.TopicAt(0).example = "OpenFile(1)";
  project.TopicAt(1).body = "Opens; see OpenFile and Close, not Opens or <b>Close</b>.";
  project.TopicAt(2).body = "Like Open; see \xC9tat.";
  project.TopicAt(2).example = "If OpenFile(0)\r\n  Close()\r\nEndIf";
  project.TopicAt(3).summary = "A group";
  project.TopicAt(5).body = "Free text about Open.";
  return project;
}

TEST(PageSource, everyPageFileOfTheBuildComesOutByteForByte) {
  const TempFolder temp;
  const auto project = Described();
  const config::LanguageTable captions;
  BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(BuildHelpFolder(project, captions, temp.Path("help/"), record, reports).empty());
  // Examples as code, in the previews as in the build.
  BuildRecord codeRecord;
  ASSERT_FALSE(BuildHelpFolder(project, captions, temp.Path("code/"), codeRecord, reports,
                               {.examplesAsCode = true})
                   .empty());

  PageSource source;
  for (const std::string folder : {"code", "help"}) {
    source.SetExamplesAsCode(folder == "code");
    int pages = 0;
    for (const auto& entry : fs::recursive_directory_iterator(temp.Path(folder))) {
      if (entry.path().extension() != ".html") continue;
      const std::string relative = entry.path().lexically_relative(temp.Path(folder)).string();
      // The C++ library of the Windows cross build reads narrow names in another code page
      // than the system calls the program makes; the names beyond ASCII are checked by name
      // below.
      if (testsupport::kOnWindows &&
          std::any_of(relative.begin(), relative.end(), [](char c) { return c & 0x80; })) {
        continue;
      }
      const auto page = source.Page(project, captions, relative);
      ASSERT_TRUE(page) << relative;
      EXPECT_EQ(*page, ReadBytes(entry.path().string())) << folder << " " << relative;
      ++pages;
    }
    EXPECT_EQ(pages, testsupport::kOnWindows ? 8 : 10);
  }
  EXPECT_NE(ReadBytes(temp.Path("code/OpenFile.html"))
                .find("<font color=\"#006666\"><b>If</b></font> <a "
                      "href=\"OpenFile.html\">OpenFile</a>(<font color=\"#0000CC\">0</font>)"),
            std::string::npos);
  EXPECT_NE(ReadBytes(temp.Path("code/Index.html")).find("<a href=\"OpenFile.html\">OpenFile</a>("),
            std::string::npos);
  EXPECT_EQ(ReadBytes(temp.Path("code/Open.html")), ReadBytes(temp.Path("help/Open.html")));
  // The function pages carry their auto-links.
  EXPECT_NE(source.Page(project, captions, "Open.html")->find("<a href=\"OpenFile.html\">"),
            std::string::npos);
  // A name beyond ASCII: its page is found by the topic's name (an address of the preview) and
  // by the form its links and its file have, which the browser hands over read as
  // Windows-1252 bytes (UTF-8 here); both give the page the folder holds.
  const std::string etat = testsupport::kOnWindows ? "\xC9tat.html" : "\xC3\x89tat.html";
  const auto byName = source.Page(project, captions, "\xC9tat.html");
  ASSERT_TRUE(byName);
  EXPECT_EQ(byName, source.Page(project, captions, etat));
  EXPECT_EQ(*byName, ReadBytes(temp.Path("help/") + etat));
  EXPECT_NE(source.Page(project, captions, "OpenFile.html")
                ->find("see <a href=\"" + etat + "\">\xC9tat</a>."),
            std::string::npos);
  EXPECT_EQ(source.Page(project, captions, "\xE9tat.html"), byName);  // letter case ignored
  EXPECT_EQ(source.Page(project, captions, "Back\\Slash.html"),
            source.Page(project, captions, "Back/Slash.html"));
}

TEST(PageSource, followsTheBuildWhereNamesCollideAndIgnoresCaseOnlyWithoutAnExactPage) {
  auto project = MakeProject({"Index", "Page", "page", "Page*", "Index*"});
  project.TopicAt(1).body = "first";
  project.TopicAt(2).body = "lower";
  project.TopicAt(3).body = "last";
  project.TopicAt(4).body = "replaces the index";
  const config::LanguageTable captions;
  PageSource source;
  const auto page = source.Page(project, captions, "Page.html");
  ASSERT_TRUE(page);
  // The build writes the later topic of a name over the earlier one, Index.html included.
  EXPECT_NE(page->find("last"), std::string::npos);
  EXPECT_NE(source.Page(project, captions, "page.html")->find("lower"), std::string::npos);
  EXPECT_NE(source.Page(project, captions, "PAGE.HTML")->find("last"), std::string::npos);
  EXPECT_NE(source.Page(project, captions, "index.html")->find("replaces the index"),
            std::string::npos);
  EXPECT_FALSE(source.Page(project, captions, "Missing.html"));
  EXPECT_FALSE(source.Page(project, captions, "Page"));
  EXPECT_FALSE(source.Page(project, captions, "Page.htm"));

  // A name the build refuses (it would leave the folder) has no page either.
  auto escaping = MakeProject({"Index", "../Out"});
  EXPECT_FALSE(source.Page(escaping, captions, "../Out.html"));
  EXPECT_FALSE(PageSource::PagePathOf(escaping, 1));
  EXPECT_EQ(PageSource::PagePathOf(project, 0), "Index.html");
  EXPECT_EQ(PageSource::PagePathOf(Described(), 7), "Back/Slash.html");
}

TEST(PageSource, aPageWithUncommittedTextsLeavesTheProjectAndFollowsNewNames) {
  auto project = Described();
  const auto before = project.TopicAt(1);
  const config::LanguageTable captions;
  PageSource source;
  project::Topic edited = project.TopicAt(1);
  ASSERT_TRUE(project::ApplyForm(edited, {"Open it", "Open(File$)", "  Calls Close.  ", ""}));
  const std::string page = source.PageWith(project, captions, 1, edited);
  EXPECT_NE(page.find("<title>Open it</title>"), std::string::npos);
  EXPECT_NE(page.find("Calls <a href=\"Close.html\">Close</a>."), std::string::npos);
  EXPECT_EQ(project.TopicAt(1).body, before.body);
  EXPECT_FALSE(project.modified);

  project::Topic index = project.TopicAt(0);
  project::ApplyForm(index, {"New title", "Overview typed", "", ""});
  EXPECT_NE(source.PageWith(project, captions, 0, index).find("Overview typed"), std::string::npos);

  // The links follow a name added after the first page was made.
  project.AppendTopic(testsupport::MakeTopic("Calls"));
  EXPECT_NE(source.PageWith(project, captions, 1, edited).find("<a href=\"Calls.html\">"),
            std::string::npos);

  // So do the examples' links while examples are code, and the example reads as typed.
  source.SetExamplesAsCode(true);
  edited.example = "Calls(1) : If a<b";
  const std::string coded = source.PageWith(project, captions, 1, edited);
  EXPECT_NE(coded.find("<a href=\"Calls.html\">Calls</a>(<font"), std::string::npos) << coded;
  EXPECT_NE(coded.find(" a&lt;b\r\n"), std::string::npos) << coded;
  project.AppendTopic(testsupport::MakeTopic("Later"));
  edited.example = "later()";
  EXPECT_NE(
      source.PageWith(project, captions, 1, edited).find("<a href=\"Later.html\">later</a>()"),
      std::string::npos);
  source.SetExamplesAsCode(false);
  EXPECT_NE(source.PageWith(project, captions, 1, edited).find("\r\nlater()\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace qs::output
