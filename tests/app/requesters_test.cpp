#include "app/requesters.h"

#include <gtest/gtest.h>

namespace qs::app {
namespace {

TEST(DateMask, monthStandsWhereTheMinutesWouldAndFieldsArePadded) {
  EXPECT_EQ(FormatDateMask(kDateMask, {2026, 12, 6, 7, 41, 9}), "06122026_071209");
  EXPECT_EQ(DefaultProjectName("/w/", {2026, 1, 2, 23, 5, 59}),
            "/w/HelpProject_02012026_230159.qsp");
}

TEST(ProjectExtension, firstFilterAddsQspUnlessAnyCaseIsThere) {
  EXPECT_EQ(WithProjectExtension("/w/MyHelp", 0), "/w/MyHelp.qsp");
  EXPECT_EQ(WithProjectExtension("/w/MyHelp.QSP", 0), "/w/MyHelp.QSP");
  EXPECT_EQ(WithProjectExtension("/w/MyHelp.qsp", 0), "/w/MyHelp.qsp");
  EXPECT_EQ(WithProjectExtension("qsp", 0), "qsp.qsp");
  // "All files" keeps the typed name as it is.
  EXPECT_EQ(WithProjectExtension("/w/MyHelp", 1), "/w/MyHelp");
}

TEST(ProjectStartFolder, projectFolderThenLastFolderThenPureBasic) {
  EXPECT_EQ(ProjectStartFolder("/a/b/p.qsp", "/last/", "/pb/"), "/a/b/");
  EXPECT_EQ(ProjectStartFolder("", "/last/", "/pb/"), "/last/");
  EXPECT_EQ(ProjectStartFolder("", "", "/pb/"), "/pb/");
}

}  // namespace
}  // namespace qs::app
