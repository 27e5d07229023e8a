#include "output/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tempfolder.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;

struct NameCase {
  const char* source;
  bool picture;
  const char* fileName;
};

// What a picked file becomes in the pictures folder: nothing that could end the src
// attribute, start a reference or address, or read differently in another code page.
TEST(PictureNames, keepOnlyCharactersEveryPageAndSystemReadsAlike) {
  const std::vector<NameCase> cases = {
      {"/home/me/shots/window.png", true, "window.png"},
      {"C:\\Shots\\Main Window.JPG", true, "Main_Window.JPG"},
      {"/tmp/a\"b<c>&d'e#f?g%h.gif", true, "a_b_c__d_e_f_g_h.gif"},
      {"/tmp/caf\xc3\xa9 cr\xc3\xa8me.jpeg", true, "caf__cr_me.jpeg"},  // UTF-8: one "_" each
      {"C:\\Bilder\\caf\xe9.bmp", true, "caf_.bmp"},                    // Windows-1252
      {"/tmp/diagram-v1_2.PNG", true, "diagram-v1_2.PNG"},
      {"/tmp/notes.html", false, "notes.html"},
      {"/tmp/picture.png.exe", false, "picture.png.exe"},
      {"/tmp/.png", false, ".png"},
      {"/tmp/drawing.svg", false, "drawing.svg"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(IsPictureFile(c.source), c.picture);
    EXPECT_EQ(PictureFileName(c.source), c.fileName);
  }
}

// A page below the help folder names the pictures folder from where it lies.
TEST(PictureNames, theTagLeadsFromThePageToThePicturesFolder) {
  EXPECT_EQ(PictureTag("TextTrim", "a.png"), "<img src=\"pictures/a.png\">");
  EXPECT_EQ(PictureTag("Notes/Deep", "a.png"), "<img src=\"../pictures/a.png\">");
  EXPECT_EQ(PictureTag("Notes\\More/Deep", "a.png"), "<img src=\"../../pictures/a.png\">");
  // A leading separator still lands in the help folder itself.
  EXPECT_EQ(PictureAddress("/Top", "a.png"), "pictures/a.png");
}

// Every way a copy can meet the pictures folder: new, the same bytes, different bytes (kept
// or replaced as the author says), and no question when there is nothing to lose.
TEST(CopyPicture, copiesOnceAndReplacesADifferentFileOnlyWhenTheAuthorSaysSo) {
  TempFolder temp;
  temp.Write("shots/logo.png", "first picture");
  const std::string help = temp.Path("help folder");  // not made yet, no trailing separator
  std::vector<std::string> asked;
  bool answer = false;
  auto replace = [&](const text::Report& question) {
    asked.push_back(question.text);
    EXPECT_EQ(question.title, "WARNING");
    return answer;
  };

  PictureOutcome outcome = CopyPicture(help, temp.Path("shots/logo.png"), replace);
  EXPECT_EQ(outcome.copy, PictureCopy::Copied);
  EXPECT_EQ(outcome.fileName, "logo.png");
  EXPECT_TRUE(outcome.reports.empty());
  EXPECT_EQ(temp.Read("help folder/pictures/logo.png"), "first picture");

  // The same picture again, or picked from the pictures folder itself: nothing to ask.
  EXPECT_EQ(CopyPicture(help, temp.Path("shots/logo.png"), replace).copy,
            PictureCopy::AlreadyThere);
  EXPECT_EQ(CopyPicture(help + "/", temp.Path("help folder/pictures/logo.png"), replace).copy,
            PictureCopy::AlreadyThere);
  EXPECT_TRUE(asked.empty());

  // Another picture of the same name: No keeps the one there, Yes replaces it.
  temp.Write("other/logo.png", "second picture");
  outcome = CopyPicture(help, temp.Path("other/logo.png"), replace);
  EXPECT_EQ(outcome.copy, PictureCopy::Declined);
  EXPECT_FALSE(outcome.usable());
  EXPECT_EQ(temp.Read("help folder/pictures/logo.png"), "first picture");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0],
            "The help folder's pictures already hold a different file named "
            "'logo.png'.\nReplace it with '" +
                temp.Path("other/logo.png") + "'?");
  answer = true;
  EXPECT_EQ(CopyPicture(help, temp.Path("other/logo.png"), replace).copy, PictureCopy::Copied);
  EXPECT_EQ(temp.Read("help folder/pictures/logo.png"), "second picture");
  EXPECT_EQ(asked.size(), 2u);
}

TEST(CopyPicture, refusesWhatIsNoPictureOrCannotBeReadAndWritesNothing) {
  TempFolder temp;
  temp.Write("page.html", "<html>");
  auto never = [](const text::Report&) {
    ADD_FAILURE() << "nothing to replace";
    return true;
  };
  PictureOutcome outcome = CopyPicture(temp.Path("help"), temp.Path("page.html"), never);
  EXPECT_EQ(outcome.copy, PictureCopy::Failed);
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0].title, "Error");
  EXPECT_EQ(outcome.reports[0].text,
            "'" + temp.Path("page.html") +
                "' is no picture that help viewers show: pick a .png, .jpg, .gif or .bmp file.");

  outcome = CopyPicture(temp.Path("help"), temp.Path("gone.png"), never);
  EXPECT_EQ(outcome.copy, PictureCopy::Failed);
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0].text, "Could not read file '" + temp.Path("gone.png") + "'!");

  fs::create_directories(temp.Path("folder.png"));
  EXPECT_EQ(CopyPicture(temp.Path("help"), temp.Path("folder.png"), never).copy,
            PictureCopy::Failed);
  EXPECT_FALSE(fs::exists(temp.Path("help/pictures")));
}

#ifndef _WIN32
// Someone who may write into the help folder cannot have the copy written elsewhere: a link
// in the picture's place is asked about and replaced itself, a pictures folder that is a link
// is refused.
TEST(CopyPicture, neverWritesThroughALinkInTheHelpFolder) {
  TempFolder temp;
  temp.Write("logo.png", "picture");
  temp.Write("secret.png", "someone's file");
  fs::create_directories(temp.Path("help/pictures"));
  fs::create_symlink(temp.Path("secret.png"), temp.Path("help/pictures/logo.png"));
  int questions = 0;
  auto yes = [&](const text::Report&) {
    ++questions;
    return true;
  };
  EXPECT_EQ(CopyPicture(temp.Path("help"), temp.Path("logo.png"), yes).copy, PictureCopy::Copied);
  EXPECT_EQ(questions, 1);
  EXPECT_FALSE(fs::is_symlink(temp.Path("help/pictures/logo.png")));
  EXPECT_EQ(temp.Read("help/pictures/logo.png"), "picture");
  EXPECT_EQ(temp.Read("secret.png"), "someone's file");

  fs::create_directories(temp.Path("elsewhere"));
  fs::create_directories(temp.Path("help2"));
  fs::create_directory_symlink(temp.Path("elsewhere"), temp.Path("help2/pictures"));
  const PictureOutcome outcome = CopyPicture(temp.Path("help2"), temp.Path("logo.png"), yes);
  EXPECT_EQ(outcome.copy, PictureCopy::Failed);
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0].text,
            "Could not create file '" + temp.Path("help2/pictures/logo.png") + "'!");
  EXPECT_TRUE(fs::is_empty(temp.Path("elsewhere")));
}
#endif

}  // namespace
}  // namespace qs::output
