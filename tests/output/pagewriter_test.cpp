#include "output/pagewriter.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>

#include "output/outputfile.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"
#include "text/textops.h"

namespace qs::output {
namespace {

using testsupport::CrLfLines;
using testsupport::MakeProject;

constexpr std::string_view kIndexHead =
    "<html><head><meta http-equiv=\"Content-Type\"content=\"text/html; "
    "charset=windows-1252\"><title>";
constexpr std::string_view kBody =
    "<body bgcolor=\"#FFFFDF\" link=\"#009999\" vlink=\"#006666\" alink=\"#006666\">";

std::string Head(std::string_view title, std::string_view close) {
  return std::string(kIndexHead) + std::string(title) + "</title>" + std::string(close);
}

std::string TopicHead(std::string_view title) {
  return CrLfLines({Head(title, "</HEAD>"), kBody,
                    "<font face=\"Arial\" size=\"2\"><p align=\"center\"><b><font size=\"4\">" +
                        std::string(title) + " </Font></b></p>"});
}

std::string Tail(std::string_view library) {
  return CrLfLines(
      {"<br><br><br><center><a href=index.html>" + std::string(library) + " - index</a></center>",
       "</font></body></html>"});
}

// Index page, function pages P and Q, user index entry G, function page R, user topic U.
project::HelpProject ExampleProject() {
  auto project = MakeProject({"Index", "P", "Q", "G#", "R", "U*"});
  project.libraryFile = "C:\\Libs\\MyLib";
  auto& index = *project.FindTopic("Index");
  index.title = "MyLib library";
  index.summary = "Overview line 1\r\nline 2";
  project.FindTopic("P")->body = "Calls Q and R.\r\nSee Index.";
  return project;
}

std::string PageOf(const project::HelpProject& project, std::string_view name,
                   const config::LanguageTable& captions = {}) {
  AutoLinker linker(project);
  return TopicPageText(project, *project.FindTopic(name), captions, linker);
}

TEST(IndexPage, listsFunctionsAndGroupHeadingsInDisplayOrder) {
  const auto project = ExampleProject();
  const std::string expected = CrLfLines({
      Head("MyLib library", "</head>"),
      kBody,
      "<font face=\"Arial\" size=\"2\">",
      "<p align=\"center\"><b><font size=\"4\">MyLib library</font></b></p>",
      "<p><b>Overview</b></p><blockquote>",
      "Overview line 1<br>",
      "line 2",
      "</blockquote><p><b>Command Index</b><blockquote>",
      "<a href=\"P.html\">P</a><br>",
      "<a href=\"Q.html\">Q</a><br>",
      "<br>",
      "<a href=\"G.html\"><b>G</b></a> :<br>",
      "<a href=\"R.html\">R</a><br>",
      "<blockquote></p>",
      "</font></body></html>",
  });
  EXPECT_EQ(IndexPageText(project, {}), expected);
}

TEST(IndexPage, exampleContinuesItsLineUnconvertedAndCaptionsAreLocalised) {
  auto project = MakeProject({"Index"});
  project.FindTopic("Index")->example = "a\tb  c\r\nd";
  config::LanguageTable captions;
  captions.overview =
      "\xDC"
      "bersicht";
  captions.commandIndex = "Befehle";
  captions.example = "Beispiel";
  const std::string expected = CrLfLines({
      Head("Index", "</head>"),
      kBody,
      "<font face=\"Arial\" size=\"2\">",
      "<p align=\"center\"><b><font size=\"4\">Index</font></b></p>",
      "<p><b>\xDC"
      "bersicht</b></p><blockquote>",
      "",
      "</blockquote><p><b>Befehle</b><blockquote>",
      "<blockquote></p>",
      "<p><b>Beispiel</b></p>",
      "<blockquote><font face=\"Courier New, Courier, mono\"size=\"2\">a\tb  c<br>",
      "d",
      "</font></blockquote>",
      "</font></body></html>",
  });
  EXPECT_EQ(IndexPageText(project, captions), expected);
}

TEST(IndexPage, groupHeadingAtFirstRowHasNoBreakAndUnknownRowsAndUserTopicsVanish) {
  auto project = MakeProject({"Index", "G#", "A", "H#", "B", "L*"});
  project.InsertItem(project.ItemCount(),
                     {"Ghost", project::TopicIcon::PageIcon});  // a row without a topic
  const std::string page = IndexPageText(project, {});
  EXPECT_NE(page.find("<blockquote>\r\n<a href=\"G.html\"><b>G</b></a> :<br>\r\n"
                      "<a href=\"A.html\">A</a><br>\r\n<br>\r\n"
                      "<a href=\"H.html\"><b>H</b></a> :<br>\r\n"
                      "<a href=\"B.html\">B</a><br>\r\n<blockquote></p>\r\n"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("L.html"), std::string::npos);
  EXPECT_EQ(page.find("Ghost"), std::string::npos);
}

TEST(IndexPage, emptyProjectGivesAPageWithEmptyTexts) {
  const project::HelpProject empty;
  const std::string page = IndexPageText(empty, {});
  EXPECT_EQ(page.substr(0, page.find("\r\n")), Head("", "</head>"));
  EXPECT_NE(page.find("<blockquote></p>\r\n</font></body></html>\r\n"), std::string::npos);
}

TEST(FunctionPage, writesSyntaxLinkedDescriptionAndFramedExample) {
  auto project = ExampleProject();
  auto& p = *project.FindTopic("P");
  p.parameters = "(a.l, b$)";
  p.example = "If x\r\n\tDebug   a    b";
  const std::string expected =
      TopicHead("P") +
      CrLfLines({
          "<p><b>Syntax</b></p>",
          "<blockquote><font color=\"#006666\"><b>P</b></Font>(a.l, b$)</blockquote>",
          "<p><b>Description</b></p>",
          "<blockquote style=\"text-align: justify;\"><font face=\"Arial\"Size=\"2\">",
          "Calls <a href=\"Q.html\">Q</a> and <a href=\"R.html\">R</a>.<br>",
          "See <a href=\"Index.html\">Index</a>.",
          "</font></blockquote>",
          "<p><b>Example</b></p>",
          "<blockquote><font face=\"Courier New, Courier, mono\"size=\"2\">"
          "<div style=\"Border:solid 1px black;Padding:8px;Background-Color:White;\">",
          "If x<br>",
          "&nbsp; &nbsp;Debug&nbsp; &nbsp; a&nbsp; &nbsp;&nbsp; &nbsp;b",
          "</div>",
          "</font></blockquote>",
      }) +
      Tail("MyLib");
  EXPECT_EQ(PageOf(project, "P"), expected);
}

TEST(FunctionPage, emptyFieldsGiveEmptyLinesAndNoExampleBlock) {
  auto project = MakeProject({"Index", "F"});
  project.FindTopic("F")->parameters.clear();
  const std::string expected =
      TopicHead("F") +
      CrLfLines({
          "<p><b>Syntax</b></p>",
          "<blockquote><font color=\"#006666\"><b>F</b></Font></blockquote>",
          "<p><b>Description</b></p>",
          "<blockquote style=\"text-align: justify;\"><font face=\"Arial\"Size=\"2\">",
          "",
          "</font></blockquote>",
      }) +
      Tail("");
  EXPECT_EQ(PageOf(project, "F"), expected);
}

TEST(UserIndexPage, listsOnlyItsOwnGroupAndShowsOverviewAndExample) {
  auto project = ExampleProject();
  auto& g = *project.FindTopic("G");
  g.summary = "Group\r\ntext";
  g.example = "x\ty";
  config::LanguageTable captions;
  captions.commandIndex = "Cmds";
  const std::string expected = TopicHead("G") +
                               CrLfLines({
                                   "<p><b>Overview</b></p>",
                                   "<blockquote><font face=\"Arial\"size=\"2\">",
                                   "Group<br>",
                                   "text",
                                   "</font></blockquote>",
                                   "<p><b>Cmds</b><blockquote>",
                                   "<a href=\"R.html\">R</a><br>",
                                   "<blockquote></p>",
                                   "<p><b>Example</b></p>",
                                   "<blockquote><font face=\"Courier New, Courier, mono\"size="
                                   "\"2\"><div style=\"Border:solid 1px black;Padding:8px;"
                                   "Background-Color:White;\">",
                                   "x&nbsp; &nbsp;y",
                                   "</div>",
                                   "</font></blockquote>",
                               }) +
                               Tail("MyLib");
  EXPECT_EQ(PageOf(project, "G", captions), expected);
}

TEST(UserIndexPage, groupIsEmptyAtTheEndOrBeforeAnotherEntryAndSkipsUnknownRows) {
  auto project = MakeProject({"Index", "A#", "B#", "C", "D*", "E#"});
  project.InsertItem(3, {"Ghost", project::TopicIcon::PageIcon});
  const std::string empty = "<p><b>Command Index</b><blockquote>\r\n<blockquote></p>\r\n";
  EXPECT_NE(PageOf(project, "A").find(empty), std::string::npos);
  EXPECT_NE(PageOf(project, "E").find(empty), std::string::npos);
  EXPECT_NE(PageOf(project, "B")
                .find("<blockquote>\r\n<a href=\"C.html\">C</a><br>\r\n"
                      "<blockquote></p>\r\n"),
            std::string::npos);
}

TEST(UserTopicPage, writesTheTextWithoutLinks) {
  auto project = MakeProject({"Index", "F", "License*"});
  project.libraryFile = "/home/me/MyLib";
  project.FindTopic("License")->body = "Use F freely.\r\nSee Index.";
  const std::string expected = TopicHead("License") +
                               CrLfLines({
                                   "<blockquote><font face=\"Arial\"size=\"2\">",
                                   "Use F freely.<br>",
                                   "See Index.",
                                   "</font></blockquote>",
                               }) +
                               Tail("MyLib");
  EXPECT_EQ(PageOf(project, "License"), expected);
}

// With examples as code, the example of every layout that has one reads as code and nothing
// else of the page changes; without, the page is the one the tests above fix.
TEST(ExamplesAsCode, changeOnlyTheExampleOfEveryLayout) {
  auto project = ExampleProject();
  const std::string example = "If a<b And c>0\r\n\tDebug \"&\" ; <b>not bold</b>";
  project.FindTopic("Index")->example = example;
  project.FindTopic("P")->example = example;
  project.FindTopic("G")->example = example;
  project.FindTopic("U")->body = "a<b";
  const ExampleCode code(project);
  const AutoLinker linker(project);
  const std::string coded = code.Html(example);
  EXPECT_EQ(coded.find('<', 0), coded.find("<font"));
  EXPECT_NE(coded.find(" a&lt;b "), std::string::npos);
  EXPECT_NE(coded.find("\"&amp;\""), std::string::npos);
  EXPECT_NE(coded.find("&lt;b&gt;not bold&lt;/b&gt;"), std::string::npos);

  const std::string index = IndexPageText(project, {});
  EXPECT_EQ(IndexPageText(project, {}, &code),
            text::ReplaceAll(index, text::LineBreaksToHtml(example), coded));
  for (const std::string_view name : {"P", "G"}) {
    const std::string page = PageOf(project, name);
    ASSERT_NE(page.find(text::CodeToHtml(example)), std::string::npos) << name;
    EXPECT_EQ(TopicPageText(project, *project.FindTopic(name), {}, linker, &code),
              text::ReplaceAll(page, text::CodeToHtml(example), coded))
        << name;
  }
  // A user topic has no example: its text stays markup.
  EXPECT_EQ(TopicPageText(project, *project.FindTopic("U"), {}, linker, &code),
            PageOf(project, "U"));
}

// A file-size limit makes the write fail partway, as a full disk would.
TEST(PageFiles, aWriteThatFailsHalfwayIsNotReportedAsSuccessAndLeavesNoStump) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to stand in for a full disk";
#else
  testsupport::TempFolder scratch;
  const std::string path = scratch.Path() + "Index.html";
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  text::Reports reports;
  const bool written = WriteOutputFile(path, IndexPageText(ExampleProject(), {}), reports);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], text::ErrorReport("Could not create file '" + path + "'!"));
  EXPECT_FALSE(std::filesystem::exists(path));
#endif
}

}  // namespace
}  // namespace qs::output
