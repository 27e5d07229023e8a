#include "check/pagecheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/projectcheck.h"
#include "project/coverage.h"

namespace qs::check {
namespace {

using project::HelpProject;
using project::Topic;

Topic Page(std::string name, std::string title, std::string body, std::string example = {}) {
  Topic topic;
  topic.name = std::move(name);
  topic.title = std::move(title);
  topic.body = std::move(body);
  topic.example = std::move(example);
  return topic;
}

HelpProject Project(std::vector<Topic> topics) {
  HelpProject project;
  for (Topic& topic : topics) project.AppendTopic(std::move(topic));
  project.RefillItemsFromStore();
  return project;
}

std::vector<std::string> Lines(const std::vector<Problem>& problems) {
  std::vector<std::string> lines;
  for (const Problem& p : problems) {
    lines.push_back(p.page + ": " + p.fieldName + ":" + std::to_string(p.line) + ": " + p.message);
  }
  return lines;
}

TEST(PageCheck, linksResolveWithoutLetterCaseAndMissingPagesAreNamed) {
  const HelpProject project = Project({
      Page("Index", "Overview", ""),
      Page("TextTrim", "TextTrim()",
           "See <a href=\"texttrim.HTML\">itself</a>, <a href=\"TextPad.html#x\">pad</a>,\r\n"
           "<a href=\"Gone.html\">gone</a>, <a href=\"http://example.org/a.html\">web</a>, "
           "<a href=\"#top\">top</a> and <a href=\"notes.pdf\">notes</a>."),
      Page("TextPad", "TextPad()", "Pads."),
  });
  const PageChecker checker(project, {"Notes.PDF"});
  EXPECT_EQ(Lines(checker.Check(project.TopicAt(1), project.Body(1))),
            (std::vector<std::string>{
                "TextTrim: Description:2: link to 'Gone.html': the project has no such page"}));
}

// A page in a sub-folder names pictures and pages from there, as the browser and the
// compiler read it: "../" leads up to the help folder.
TEST(PageCheck, picturesMustBeInTheHelpFolderWhereThePageNamesThemAndTitlesMustNotBeEmpty) {
  Topic user = Page("About", " ",
                    "<img src=\"Pics/Shot.png\">\r\n<img src=\"missing.png\">"
                    "<img src=\"pictures/logo.png\">");
  user.isUserTopic = true;
  Topic deep = Page("Notes/Deep", "Deep",
                    "<img src=\"../pictures/logo.png\"><a href=\"../About.html\">up</a>\r\n"
                    "<img src=\"pictures/logo.png\"><a href=\"About.html\">here</a>");
  deep.isUserTopic = true;
  const HelpProject project = Project({Page("Index", "Overview", ""), user, deep});
  const PageChecker checker(project, {"pics/shot.png", "other.png", "pictures/logo.png"});
  EXPECT_EQ(Lines(checker.Check(project.TopicAt(1), project.Body(1))),
            (std::vector<std::string>{
                "About: Title:1: the page has no title",
                "About: User text:2: picture 'missing.png' is not in the help folder"}));
  EXPECT_EQ(Lines(checker.Check(project.TopicAt(2), project.Body(2))),
            (std::vector<std::string>{
                "Notes/Deep: User text:2: link to 'About.html': the project has no such page",
                "Notes/Deep: User text:2: picture 'pictures/logo.png' is not in the help folder"}));
}

TEST(PageCheck, onlyTheFieldsAPageShowsAreChecked) {
  // A user topic's page shows neither an overview nor an example; an index entry shows no
  // description of its own (its functions list is the program's).
  Topic user = Page("Notes", "Notes", "fine", "If a<b");
  user.isUserTopic = true;
  user.summary = "<b>never shown";
  Topic entry = Page("Group", "Group", "");
  entry.isUserIndex = true;
  entry.summary = "<i>open";
  const HelpProject project = Project({Page("Index", "Overview", ""), user, entry});
  const PageChecker checker(project, {});
  EXPECT_TRUE(checker.Check(project.TopicAt(1), project.Body(1)).empty());
  EXPECT_EQ(Lines(checker.Check(project.TopicAt(2), project.Body(2))),
            (std::vector<std::string>{"Group: Overview:1: '<i>' is not closed: everything after "
                                      "it takes its form (missing '</i>')"}));
}

TEST(ProjectCheck, coverageFollowsTheLibrarysOwnTextsAndCountsProblems) {
  const HelpProject project = Project({
      Page("Index", "Overview", ""),
      Page("TextTrim", "TextTrim()", "Removes blanks."),             // the library's text
      Page("TextPad", "TextPad()", "Pads the text on the left."),    // rewritten
      Page("TextCut", "TextCut()", "Cuts.", "x$ = TextCut(a$, 2)"),  // has an example
      Page("TextNew", "TextNew()", ""),                              // empty, not in library
      Page("TextOld", "TextOld()", "Written by hand.", "If a<b"),    // not in library
  });
  project::LibraryHelpTexts helps = {
      {"TextTrim", " Removes blanks. "}, {"TextPad", "Pads."}, {"TextCut", "Cuts."}};
  const ProjectCheck result = CheckProject(project, helps, PageChecker(project, {}));
  EXPECT_EQ(result.coverage, (project::Coverage{3, 5}));
  EXPECT_EQ(result.undocumented, (std::vector<std::string>{"TextTrim", "TextNew"}));
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0].page, "TextOld");
  EXPECT_EQ(result.topics[5], (TopicCheck{true, true, 1}));
  EXPECT_EQ(result.topics[1], (TopicCheck{true, false, 0}));
  EXPECT_EQ(result.topics[0], (TopicCheck{false, true, 0}));
  EXPECT_EQ(SummaryLine(result.coverage, result.problems.size()),
            "3 of 5 functions documented; 1 problem");
  EXPECT_EQ(SummaryLine({1, 1}, 0), "1 of 1 function documented; no problems");
  EXPECT_EQ(project::CoverageText({29, 35}), "29 of 35 functions documented");
}

// A check made again after each change finds what a check from scratch finds, looking again
// only at the pages that changed, or at all of them when what they are checked against did.
TEST(ProjectCheck, aRepeatedCheckLooksAgainOnlyAtWhatChanged) {
  HelpProject project = Project({
      Page("Index", "Overview", ""),
      Page("TextTrim", "TextTrim()", "Removes blanks."),
      Page("TextPad", "TextPad()", "See <a href=\"TextCut.html\">TextCut</a>."),
      Page("TextOld", "TextOld()", "Written by hand.", "If a<b"),
      Page("Twin", "Twin()", "One."),
      Page("Twin", "Twin()", "Two <i>."),
  });
  project::LibraryHelpTexts helps = {{"TextTrim", "Removes blanks."}};
  std::vector<std::string> files;
  RepeatedCheck repeated;
  const auto agrees = [&](std::size_t looked, const char* step) {
    SCOPED_TRACE(step);
    const ProjectCheck again = repeated.Check(project, helps, files, false);
    const ProjectCheck fresh = CheckProject(project, helps, PageChecker(project, files));
    EXPECT_EQ(Lines(again.problems), Lines(fresh.problems));
    EXPECT_EQ(again.topics, fresh.topics);
    EXPECT_EQ(again.undocumented, fresh.undocumented);
    EXPECT_EQ(again.coverage, fresh.coverage);
    // Pages that share a name are looked at every time.
    EXPECT_EQ(repeated.lastChecked(), looked);
  };
  agrees(6, "first");
  agrees(2, "nothing changed");
  project.TopicAt(3).example = "If a < b";
  agrees(3, "one example mended");
  project.TopicAt(1).body = "Trims.";
  agrees(3, "a page documented");
  project.AppendTopic(Page("TextCut", "TextCut()", "Cuts."));
  agrees(4, "the page a link names was added: the twins, the new page and the one linking");
  project.TopicAt(6).name = "TextSnip";
  agrees(4, "the page a link names was renamed");
  project.TopicAt(6).name = "TextCut";
  agrees(4, "and named back");
  files.push_back("pictures/a.png");
  agrees(7, "a file came into the help folder");
  helps["TextCut"] = "Cuts.";
  agrees(7, "the library changed");
  agrees(2, "nothing changed again");
}

TEST(ProjectCheck, withoutTheLibraryOnlyAnEmptyDescriptionIsUndocumented) {
  const HelpProject project = Project({
      Page("Index", "Overview", ""),
      Page("A", "A()", "Some text."),
      Page("B", "B()", " \r\n "),
      Page("C", "C()", "", " \r\n"),
  });
  const ProjectCheck result = CheckProject(project, {}, PageChecker(project, {}));
  EXPECT_EQ(result.undocumented, (std::vector<std::string>{"B", "C"}));
}

}  // namespace
}  // namespace qs::check
