#include "platform/documentviewer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

using testsupport::TempFolder;
using testsupport::WriteBytes;

// Puts a stand-in xdg-mime first on PATH for the life of the test.
class FakeXdgMime {
 public:
  FakeXdgMime(const TempFolder& scratch, const std::string& script) {
    const char* old = std::getenv("PATH");
    oldPath_ = old ? old : "";
    WriteBytes(scratch.Path() + "xdg-mime", "#!/bin/sh\n" + script + "\n", true);
    ::setenv("PATH", (scratch.Path() + ":/usr/bin:/bin").c_str(), 1);
  }
  ~FakeXdgMime() { ::setenv("PATH", oldPath_.c_str(), 1); }

 private:
  std::string oldPath_;
};

TEST(DocumentViewer, followsWhatXdgMimeNamesAsTheDefault) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "xdg-mime answers on the freedesktop only";
  TempFolder scratch;
  const std::string chm = scratch.Path() + "QuillSmith.chm";
  WriteBytes(chm, "ITSF");
  {
    FakeXdgMime fake(scratch,
                     "case \"$2\" in filetype) echo application/vnd.ms-htmlhelp;; "
                     "default) echo xchm.desktop;; esac");
    EXPECT_TRUE(HasDocumentViewer(chm));
  }
  {
    FakeXdgMime fake(scratch,
                     "case \"$2\" in filetype) echo application/vnd.ms-htmlhelp;; "
                     "default) echo;; esac");
    EXPECT_FALSE(HasDocumentViewer(chm)) << "no default application";
  }
  {
    FakeXdgMime fake(scratch, "exit 3");
    EXPECT_FALSE(HasDocumentViewer(chm)) << "a failing look-up names no viewer";
  }
}

TEST(DocumentViewer, withoutXdgMimeThereIsNoViewer) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "xdg-mime answers on the freedesktop only";
  TempFolder scratch;
  const char* old = std::getenv("PATH");
  const std::string oldPath = old ? old : "";
  ::setenv("PATH", scratch.Path().c_str(), 1);
  EXPECT_FALSE(HasDocumentViewer(scratch.Path() + "QuillSmith.chm"));
  ::setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace
}  // namespace qs::platform
