#include "output/uniquehtml.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/projectfixture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"
#include "text/textops.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::CrLfLines;

project::HelpProject LibraryProject() {
  auto project = testsupport::MakeProject({"Index", "Beta", "Notes*", "Group#", "Alpha"});
  project.libraryFile = "C:\\Libs\\MyLib";
  auto& index = *project.FindTopic("Index");
  index.title = "MyLib library";
  index.summary = "All about\r\nMyLib.";
  project.FindTopic("Beta")->parameters = "(x)";
  project.FindTopic("Beta")->body = "Uses Alpha.\r\nTwice.";
  project.FindTopic("Alpha")->body.clear();
  project.FindTopic("Group")->summary = "not written";
  return project;
}

TEST(UniqueHtml, holdsTheOverviewAndEveryFunctionInStoreOrderWithoutLinks) {
  const std::string expected = CrLfLines({
      "<html><head><meta http-equiv=\"Content-Type\"content=\"text/html; "
      "charset=windows-1252\"><title>MyLib library</title></head>",
      "<body bgcolor=\"#FFFFDF\" link=\"#009999\" vlink=\"#006666\" alink=\"#006666\">",
      "<font face=\"Arial\" size=\"2\">",
      "<p align=\"center\"><b><font size=\"4\">MyLib library</font></b></p>",
      "<p><b>Overview</b></p>",
      "All about<br>",
      "MyLib.",
      "",
      "<p><b>Functions</b></p>",
      "<font color=\"#006666\"><b>Beta</b></Font>(x)",
      "<blockquote><font face=\"Arial\"size=\"2\">",
      "Uses Alpha.<br>",
      "Twice.",
      "</font></blockquote>",
      "<font color=\"#006666\"><b>Alpha</b></Font>()",
      "<blockquote><font face=\"Arial\"size=\"2\">",
      "",
      "</font></blockquote>",
      "</font></body></html>",
  });
  EXPECT_EQ(UniqueHtmlText(LibraryProject()), expected);
}

TEST(UniqueHtml, withExamplesAsCodeFollowsEachDescriptionWithItsExampleOtherwiseWithNone) {
  auto project = LibraryProject();
  project.FindTopic("Beta")->example = "If x<1 : Alpha(x) : EndIf";
  project.FindTopic("Group")->example = "Group example, not written";
  project.FindTopic("Index")->example = "Index example, not written";
  EXPECT_EQ(UniqueHtmlText(project), UniqueHtmlText(LibraryProject()));
  const std::string plain = UniqueHtmlText(project);
  const std::string beta = "Twice.\r\n</font></blockquote>\r\n";
  ASSERT_NE(plain.find(beta), std::string::npos);
  // Framed as on the pages; calls are coloured, not linked: the site has no pages.
  const std::string expected = text::ReplaceAll(
      plain, beta,
      beta + CrLfLines({
                 "<blockquote><font face=\"Courier New, Courier, mono\"size=\"2\"><div "
                 "style=\"Border:solid 1px black;Padding:8px;Background-Color:White;\">",
                 "<font color=\"#006666\"><b>If</b></font> x&lt;<font color=\"#0000CC\">1</font> "
                 ": <font color=\"#006666\">Alpha</font>(x) : <font "
                 "color=\"#006666\"><b>EndIf</b></font>",
                 "</div>",
                 "</font></blockquote>",
             }));
  EXPECT_EQ(UniqueHtmlText(project, true), expected);

  testsupport::TempFolder scratch;
  text::Reports reports;
  ASSERT_TRUE(WriteUniqueHtmlFile(project, scratch.Path(), reports, true));
  EXPECT_EQ(testsupport::ReadBytes(scratch.Path() + "MyLib library.html"), expected);
}

TEST(UniqueHtml, isNamedAfterTheTitleInTheFolderAndConfirmed) {
  testsupport::TempFolder scratch;
  const std::string folder = scratch.Path() + "new/help";
  text::Reports reports;
  ASSERT_TRUE(WriteUniqueHtmlFile(LibraryProject(), folder, reports));
  const std::string path = folder + testsupport::Native("/MyLib library.html");
  EXPECT_EQ(testsupport::ReadBytes(path), UniqueHtmlText(LibraryProject()));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], text::InformationReport("Unique HTML help file created :\n\n" + path));

  // A title with an en dash and an accent (Windows-1252 in the model) names the file as the
  // system names files: in UTF-8 here, so that the file can be opened by its name.
  auto project = LibraryProject();
  project.FindTopic("Index")->title = "Caf\xE9 \x96 MyLib";
  reports.clear();
  ASSERT_TRUE(WriteUniqueHtmlFile(project, folder, reports));
  const std::string named =
      folder + testsupport::Native("/") +
      (testsupport::kOnWindows ? "Caf\xE9 \x96 MyLib.html" : "Caf\xC3\xA9 \xE2\x80\x93 MyLib.html");
  EXPECT_EQ(testsupport::ReadBytes(named), UniqueHtmlText(project));
  EXPECT_EQ(reports,
            text::Reports{text::InformationReport("Unique HTML help file created :\n\n" + named)});
}

TEST(UniqueHtml, writesNothingAndSaysNothingWhenItCannot) {
  testsupport::TempFolder scratch;
  text::Reports reports;
  EXPECT_FALSE(WriteUniqueHtmlFile(project::HelpProject{}, scratch.Path(), reports));
  auto project = LibraryProject();
  project.FindTopic("Index")->title = "../escape";
  EXPECT_FALSE(WriteUniqueHtmlFile(project, scratch.Path() + "help/", reports));
  EXPECT_FALSE(fs::exists(scratch.Path() + "escape.html"));
  testsupport::WriteBytes(scratch.Path() + "file", "x");
  EXPECT_FALSE(WriteUniqueHtmlFile(LibraryProject(), scratch.Path() + "file/", reports));
  EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace qs::output
