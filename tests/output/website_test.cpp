#include "output/website.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/helpfolder.h"
#include "output/pagenames.h"
#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"
#include "text/cp1252.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;

// The Index page, two groups of functions, a user topic in a sub-folder and one whose name
// holds a letter beyond ASCII.
project::HelpProject SiteProject() {
  auto project = testsupport::MakeProject(
      {"Index", "Beta", "Group#", "Alpha", "Gamma", "Notes/Deep*", "Caf\xE9 notes*"});
  project.libraryFile = "/libs/TextKit";
  auto& index = *project.FindTopic("Index");
  index.title = "TextKit library";
  index.summary = "All about TextKit. More later.";
  auto& beta = *project.FindTopic("Beta");
  beta.parameters = "(x.i)";
  beta.title = "Beta <i>title</i>";
  beta.body = "Calls Alpha twice.\r\nSee <img src=\"pic.png\"> and \"Gamma\" & more.";
  beta.example = "If x\r\n\tBeta(1)\r\nEndIf";
  project.FindTopic("Alpha")->body = "Uses Beta.";
  project.FindTopic("Notes/Deep")->body = "Deep text.";
  project.FindTopic("Caf\xE9 notes")->body = "Cr\xE8me br\xFBl\xE9\x80 \x93 fin.";
  return project;
}

std::vector<std::string> Paths(const SiteMap& site) {
  std::vector<std::string> paths;
  for (const auto& page : site.pages) paths.push_back(page.path + " " + page.address);
  return paths;
}

std::string PageOf(const project::HelpProject& project, std::string_view name) {
  const SiteMap site = MapSite(project);
  const AutoLinker linker(project);
  for (std::size_t i = 0; i < site.pages.size(); ++i) {
    if (project.TopicAt(site.pages[i].pos).name == name) {
      return SitePageText(project, config::LanguageTable{}, site, i, linker);
    }
  }
  return {};
}

bool Holds(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST(Website, pagesFollowTheDisplayOrderWithTheHelpFolderNamesAndEscapedAddresses) {
  auto project = SiteProject();
  project.MoveItem(4, 1);  // Gamma before Beta in the list
  const SiteMap site = MapSite(project);
  EXPECT_EQ(Paths(site), (std::vector<std::string>{
                             "Index.html Index.html",
                             "Gamma.html Gamma.html",
                             "Beta.html Beta.html",
                             "Group.html Group.html",
                             "Alpha.html Alpha.html",
                             "Notes/Deep.html Notes/Deep.html",
                             // The file is named as in the help folder (UTF-8 here, the
                             // code page on Windows); its address is UTF-8 everywhere.
                             PageFileName("Caf\xE9 notes") + " Caf%C3%A9%20notes.html",
                         }));
  EXPECT_EQ(site.keywordPage, "keywords.html");
  EXPECT_EQ(*PagePathInFolder({}, "Caf\xE9 notes"), PageFileName("Caf\xE9 notes"));
}

TEST(Website, aNameThatWouldLeaveTheFolderGetsNoPageAndTheKeywordPageGivesWay) {
  auto project = testsupport::MakeProject({"Index", "../escape*", "keywords*", "Keywords-2*"});
  const SiteMap site = MapSite(project);
  EXPECT_EQ(Paths(site),
            (std::vector<std::string>{"Index.html Index.html", "keywords.html keywords.html",
                                      "Keywords-2.html Keywords-2.html"}));
  EXPECT_EQ(site.keywordPage, "keywords-3.html");
}

TEST(Website, aPageIsHtml5InUtf8WithTheAuthorsTextAsOnTheHelpPage) {
  const std::string page = PageOf(SiteProject(), "Beta");
  for (const std::string_view part : {
           "<!DOCTYPE html>\n<html lang=\"en\" data-root=\"\" data-page=\"Beta.html\">",
           "<meta charset=\"utf-8\">",
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
           "<title>Beta <i>title</i> - TextKit</title>",
           "<meta name=\"description\" content=\"Calls Alpha twice.\">",
           "<h1>Beta <i>title</i></h1>",
           "<p class=\"syntax-line\"><b class=\"name\">Beta</b>(x.i)</p>",
           // The description as the help page has it, its names linked to the site's pages.
           "Calls <a href=\"Alpha.html\">Alpha</a> twice.<br>\r\nSee <img src=\"pic.png\"> and "
           "\"<a href=\"Gamma.html\">Gamma</a>\" & more.",
           "If x<br>\r\n&nbsp; &nbsp;Beta(1)<br>\r\nEndIf",
           "<a rel=\"prev\" href=\"Index.html\"><span>Previous</span> Index</a>",
           "<a rel=\"next\" href=\"Group.html\"><span>Next</span> Group</a>",
           "<link rel=\"stylesheet\" href=\"assets/site.css\">",
       }) {
    EXPECT_TRUE(Holds(page, part)) << part;
  }
  // Nothing is loaded from another machine.
  EXPECT_FALSE(Holds(page, "http"));

  // Examples written as code reach the reader as typed, as on the help pages with that option.
  project::HelpProject project = SiteProject();
  project.FindTopic("Beta")->example = "If a<b & c>d";
  const SiteMap site = MapSite(project);
  const AutoLinker linker(project);
  const ExampleCode code;
  for (std::size_t i = 0; i < site.pages.size(); ++i) {
    if (project.TopicAt(site.pages[i].pos).name != "Beta") continue;
    const std::string asCode =
        SitePageText(project, config::LanguageTable{}, site, i, linker, &code);
    EXPECT_TRUE(Holds(asCode, code.Html("If a<b & c>d"))) << asCode;
    EXPECT_TRUE(Holds(asCode, "a&lt;b &amp; c&gt;d")) << asCode;
  }
}

TEST(Website, everyByteOfTheCodePageArrivesAsItsCharacter) {
  auto project = testsupport::MakeProject({"Index", "All*"});
  std::string every;
  for (int c = 1; c < 256; ++c) {
    if (c == '\r' || c == '\n') continue;
    every.push_back(static_cast<char>(c));
  }
  project.FindTopic("All")->body = every;
  const std::string page = PageOf(project, "All");
  EXPECT_TRUE(Holds(page, text::Utf8FromCp1252(every, false)));
  EXPECT_TRUE(Holds(page, "\xE2\x82\xAC"));  // 0x80, the euro sign
  EXPECT_TRUE(Holds(page, "\xC3\xBF"));      // 0xFF
  EXPECT_TRUE(text::IsValidUtf8(page));
}

TEST(Website, pagesInSubFoldersReachTheSiteThroughTheirRoot) {
  const std::string page = PageOf(SiteProject(), "Notes/Deep");
  EXPECT_TRUE(Holds(page, "data-root=\"../\" data-page=\"Notes/Deep.html\""));
  EXPECT_TRUE(Holds(page, "href=\"../assets/site.css\""));
  EXPECT_TRUE(Holds(page, "<a rel=\"prev\" href=\"../Gamma.html\">"));
  EXPECT_TRUE(Holds(page, "<a rel=\"next\" href=\"../Caf%C3%A9%20notes.html\">"));
  EXPECT_TRUE(Holds(page, "<a href=\"../keywords.html\">Keyword index</a>"));
}

TEST(Website, theIndexPageListsTheFunctionsWithGroupsAndTheEntriesTheirMembers) {
  const auto project = SiteProject();
  const std::string index = PageOf(project, "Index");
  EXPECT_TRUE(Holds(index, "<meta name=\"description\" content=\"All about TextKit.\">"));
  EXPECT_TRUE(Holds(index,
                    "<li><a href=\"Beta.html\">Beta</a></li>\n</ul>\n<h3 class=\"group\"><a "
                    "href=\"Group.html\">Group</a></h3>\n<ul class=\"members\">\n<li><a "
                    "href=\"Alpha.html\">Alpha</a></li>\n<li><a href=\"Gamma.html\">Gamma</a>"));
  EXPECT_FALSE(Holds(index, "<a rel=\"prev\""));
  const std::string group = PageOf(project, "Group");
  EXPECT_TRUE(Holds(group,
                    "<li><a href=\"Alpha.html\">Alpha</a></li>\n<li><a "
                    "href=\"Gamma.html\">Gamma</a></li>\n</ul>"));
}

TEST(Website, theContentsKeywordsAndSearchIndexNameEveryPage) {
  const auto project = SiteProject();
  const SiteMap site = MapSite(project);
  EXPECT_EQ(
      ContentsScriptText(project, config::LanguageTable{}, site),
      "window.QS_CONTENTS={\"library\":\"TextKit\",\"keywords\":\"keywords.html\","
      "\"items\":[[\"Functions\",\"Index.html\",[[\"Beta\",\"Beta.html\"],\n"
      "[\"Group\",\"Group.html\",[[\"Alpha\",\"Alpha.html\"],\n[\"Gamma\",\"Gamma.html\"]]]]],\n"
      "[\"Notes/Deep\",\"Notes/Deep.html\"],\n"
      "[\"Caf\xC3\xA9 notes\",\"Caf%C3%A9%20notes.html\"]]};\n");
  const std::string keywords = KeywordPageText(project, site);
  EXPECT_TRUE(Holds(keywords,
                    "<li><a href=\"Alpha.html\">Alpha</a></li>\n<li><a "
                    "href=\"Beta.html\">Beta</a></li>\n<li><a "
                    "href=\"Caf%C3%A9%20notes.html\">Caf\xC3\xA9 notes</a></li>"));
  const std::string search = SearchIndexText(project, site);
  // Tags dropped, references read, nothing that could end the script.
  EXPECT_TRUE(Holds(search,
                    "[\"Beta.html\",\"Beta\",\"Beta title\",\"(x.i) Calls Alpha twice. "
                    "See and \\\"Gamma\\\" \\u0026 more. If x Beta(1) EndIf\"]"));
  EXPECT_TRUE(Holds(search, "\"Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\xE2\x82\xAC \xE2\x80\x9C fin."));
}

TEST(Website, theFirstSentenceDescribesThePage) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"One. Two.", "One."},
      {"What?  Then", "What?"},
      {"<b>Bold</b> text<br>\r\nbroken. Next", "Bold text broken."},
      {"v1.5 is out", "v1.5 is out"},
      {"&lt;tag&gt; &amp; more.", "<tag> & more."},
      {"<script>x = 1. </script>Text.", "Text."},
      {"", ""},
  };
  for (const auto& [html, sentence] : cases) EXPECT_EQ(FirstSentence(html), sentence) << html;
  EXPECT_EQ(FirstSentence(std::string(400, 'a')).size(), 303u);
}

TEST(Website, theSiteHoldsItsFilesAndThePicturesOfTheHelpFolderCopied) {
  testsupport::TempFolder scratch;
  auto project = SiteProject();
  project.helpFolder = scratch.Path("help/");
  scratch.Write("help/pic.png", "PNG");
  scratch.Write("help/Beta.html", "the help folder's own page");
  text::Reports reports;
  const std::string log =
      WriteWebsite(project, {}, scratch.Path("site"), project.helpFolder, reports);
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(reports.empty());
  for (const std::string& file :
       {std::string("Index.html"), std::string("Beta.html"), std::string("Notes/Deep.html"),
        PageFileName("Caf\xE9 notes"), std::string("keywords.html"), std::string("assets/site.css"),
        std::string("assets/site.js"), std::string("assets/contents.js"),
        std::string("assets/search-index.js"), std::string("assets/files.txt"),
        std::string("pic.png")}) {
    EXPECT_TRUE(Holds(log, scratch.Path("site") + testsupport::Native("/" + file) + "\n")) << file;
    EXPECT_TRUE(fs::is_regular_file(scratch.Path("site/") + file)) << file;
  }
  EXPECT_EQ(scratch.Read("site/pic.png"), "PNG");
  // The site's own page is never replaced by a file of the help folder.
  EXPECT_TRUE(Holds(scratch.Read("site/Beta.html"), "<!DOCTYPE html>"));
  EXPECT_EQ(scratch.Read("help/Beta.html"), "the help folder's own page");

  // A second build writes the same bytes.
  const std::string first =
      scratch.Read("site/Beta.html") + scratch.Read("site/assets/contents.js");
  text::Reports again;
  ASSERT_FALSE(WriteWebsite(project, {}, scratch.Path("site"), project.helpFolder, again).empty());
  EXPECT_EQ(scratch.Read("site/Beta.html") + scratch.Read("site/assets/contents.js"), first);

  // A page of a topic since gone goes with its folder; the author's own file stays.
  scratch.Write("site/mine.txt", "mine");
  project.EraseTopic(project.FindTopicPos("Notes/Deep"));
  project.RefillItemsFromStore();
  text::Reports third;
  ASSERT_FALSE(WriteWebsite(project, {}, scratch.Path("site"), project.helpFolder, third).empty());
  EXPECT_FALSE(fs::exists(scratch.Path("site/Notes")));
  EXPECT_EQ(scratch.Read("site/mine.txt"), "mine");
  EXPECT_TRUE(fs::is_regular_file(scratch.Path("site/pic.png")));
  EXPECT_TRUE(fs::is_regular_file(scratch.Path("site/Alpha.html")));
}

TEST(Website, aPictureThatIsALinkIsLeftOutWithAWarningAndTheHelpFolderIsRefused) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "links are made the POSIX way here";
  testsupport::TempFolder scratch;
  auto project = SiteProject();
  project.helpFolder = scratch.Path("help/");
  scratch.Write("secret.png", "SECRET");
  scratch.Write("help/keep.txt", "x");
  fs::create_symlink(scratch.Path("secret.png"), scratch.Path("help/pic.png"));
  text::Reports reports;
  ASSERT_FALSE(
      WriteWebsite(project, {}, scratch.Path("site"), project.helpFolder, reports).empty());
  EXPECT_FALSE(fs::exists(scratch.Path("site/pic.png")));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text,
            "pic.png is a link or no plain file of its own in the help folder; it was not "
            "copied into the website");

  text::Reports refused;
  EXPECT_TRUE(WriteWebsite(project, {}, scratch.Path("help"), project.helpFolder, refused).empty());
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].text,
            "The website cannot be written into the help folder '" + project.helpFolder + "'!");
  EXPECT_EQ(scratch.EntryCount(), 3u);  // secret.png, help, site
  EXPECT_FALSE(fs::exists(scratch.Path("help/Index.html")));
}

}  // namespace
}  // namespace qs::output
