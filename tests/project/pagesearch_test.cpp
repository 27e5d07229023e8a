#include "project/pagesearch.h"

#include <gtest/gtest.h>

#include "project/projectfile.h"
#include "project/topicops.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"
#include "text/textsearch.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;

TEST(PageSearch, findsLinesInDisplayOrderIgnoringCaseAndSkipsMadeLists) {
  auto p = MakeProject({"Index", "A", "B", "G#", "U*"});
  p.FindTopic("A")->body = "no\r\nthe \xC9t\xE9 needle";  // "Été", as the code page holds it
  p.FindTopic("B")->title = "Needle and NEEDLE";
  p.FindTopic("B")->example = "x\r\nneedle\r\nneedle";
  p.FindTopic("U")->body = "needle";
  p.FindTopic("U")->example = "needle";  // a user topic has no example: not searched
  p.FindTopic("Index")->example = "needle";
  p.FindTopic("Index")->summary = "The overview\r\nwith a needle";
  p.FindTopic("A")->summary = "A(Needle.s)";  // a function page's syntax
  p.FindTopic("G")->summary = "needle";       // an index entry's overview
  p.FindTopic("U")->summary = "needle";       // a user topic has none: not searched
  p.RemakeLists();
  p.FindTopic("G")->title = "\xE9T\xC9";
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));  // B before A
  p.KeepList(0, "needle");      // a functions list is the program's, never a hit

  const auto hits = SearchPages(p, "NEEDLE", 100);
  std::vector<std::string> where;
  for (const SearchHit& hit : hits) {
    where.push_back(p.ItemText(hit.row) + "/" + std::to_string(static_cast<int>(hit.field)) + "/" +
                    std::to_string(hit.line) + "/" + std::to_string(hit.column));
  }
  EXPECT_EQ(where,
            (std::vector<std::string>{"Index/1/2/7", "Index/3/1/0", "B/0/1/0", "B/3/2/0", "B/3/3/0",
                                      "A/1/1/2", "A/2/2/8", "G/1/1/0", "U/2/1/0"}));
  EXPECT_EQ(hits[6].lineText, "the \xC9t\xE9 needle");
  EXPECT_EQ(SearchPages(p, "NEEDLE", 2).size(), 2u);
  EXPECT_TRUE(SearchPages(p, "", 100).empty());
  // Accented capitals fold as their small letters do.
  ASSERT_EQ(SearchPages(p, "\xC9T\xC9", 100).size(), 2u);
  // Texts folded once (as the topic filter keeps its names) find what the search finds.
  const std::pair<std::string, std::string> finds[] = {{"x\x8A\x9F", "\x9A\xFF"},
                                                       {"abc", "abcd"},
                                                       {"\xD7", "\xF7"},
                                                       {"GetWindow", "wINd"},
                                                       {"\xC9t\xE9", "\xE9T\xC9"},
                                                       {"a-B_c", "B_C"},
                                                       {"", ""},
                                                       {"xyz", ""},
                                                       {"AAAB", "aab"},
                                                       {"ab", "B"},
                                                       {"abca", "CA"},
                                                       {"fFfu", "ffu"}};
  for (const auto& [text, needle] : finds) {
    EXPECT_EQ(text::FoldedCase(text).find(text::FoldedCase(needle)),
              text::FindIgnoringCase(text, needle))
        << text << " / " << needle;
    EXPECT_EQ(text::Holds(text::FoldedCase(text), text::FoldedCase(needle)),
              text::FindIgnoringCase(text, needle) != std::string::npos)
        << text << " / " << needle;
    // What holds the needle holds every kind of byte the needle holds.
    const std::uint32_t kinds = text::ByteKinds(text::FoldedCase(needle));
    if (text::FindIgnoringCase(text, needle) != std::string::npos) {
      EXPECT_EQ(text::ByteKinds(text::FoldedCase(text)) & kinds, kinds) << text << " / " << needle;
    }
  }
  EXPECT_EQ(text::FindIgnoringCase("x\x8A\x9F", "\x9A\xFF"), 1u);
  EXPECT_EQ(text::FindIgnoringCase("abc", "abcd"), std::string::npos);
  EXPECT_EQ(text::FindIgnoringCase("\xD7", "\xF7"), std::string::npos) << "signs have no case";
}

// A save right after a move writes the lists the moved rows give.
TEST(PageSearch, listsAreWrittenAsTheMovedRowsGiveThem) {
  testsupport::TempFolder folder;
  auto p = MakeProject({"Index", "A", "B", "G#", "C"});
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicDown(p));  // B joins G's group
  text::Reports reports;
  ASSERT_TRUE(SaveProject(p, folder.Path("p.qsp"), reports));
  EXPECT_EQ(p.Body(0), "A\r\nB\r\nC");
  EXPECT_EQ(p.Body(p.FindTopicPos("G")), "B\r\nC");
  HelpProject loaded;
  ASSERT_TRUE(LoadProject(loaded, folder.Path("p.qsp"), {}, reports));
  EXPECT_EQ(loaded.Body(loaded.FindTopicPos("G")), "B\r\nC");
}

}  // namespace
}  // namespace qs::project
