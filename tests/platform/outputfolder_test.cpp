#include "platform/outputfolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

// The file's identity on the disk: the same number means it was written where it was, not
// replaced by a new file. Windows has no inode numbers to compare.
std::uint64_t Inode(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return 0;
#else
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_ino) : 0;
#endif
}

TEST(OutputFolder, anExistingFileIsOverwrittenWhereItIsAndKeepsItsPermissions) {
  testsupport::TempFolder scratch;
  const std::string page = scratch.Path() + "A.html";
  WriteBytes(page, "a much longer old page than the new one");
  fs::permissions(page, fs::perms::owner_read | fs::perms::owner_write);
  const std::uint64_t inode = Inode(page);

  OutputFolder folder;
  ASSERT_TRUE(folder.Open(scratch.Path()));
  ASSERT_TRUE(folder.Write("A.html", "new page"));
  EXPECT_EQ(ReadBytes(page), "new page");
  EXPECT_EQ(Inode(page), inode);
  if (!testsupport::kOnWindows) {
    EXPECT_EQ(fs::status(page).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
  }
  ASSERT_TRUE(folder.Write("A.html", "a page longer than the one before"));
  EXPECT_EQ(ReadBytes(page), "a page longer than the one before");
}

#ifndef _WIN32
// What can be at a file's name when it is written, and what the write must leave there.
struct EntryCase {
  const char* what;
  void (*plant)(const std::string& base, const std::string& name);
  bool written;  // false: the write fails and the entry stays as it is
};

const EntryCase kEntries[] = {
    {"nothing", [](const std::string&, const std::string&) {}, true},
    {"a longer page",
     [](const std::string&, const std::string& name) { WriteBytes(name, std::string(100, 'o')); },
     true},
    {"a link to a file outside",
     [](const std::string& base, const std::string& name) {
       fs::create_symlink(base + "outside.html", name);
     },
     true},
    {"a link to nothing",
     [](const std::string& base, const std::string& name) {
       fs::create_symlink(base + "nowhere.html", name);
     },
     true},
    {"a hard link to a file outside",
     [](const std::string& base, const std::string& name) {
       fs::create_hard_link(base + "outside.html", name);
     },
     true},
    {"a pipe",
     [](const std::string&, const std::string& name) {
       ASSERT_EQ(::mkfifo(name.c_str(), 0666), 0);
     },
     false},
    // Opened without waiting for the reader, and let go unwritten.
    {"a pipe someone reads",
     [](const std::string&, const std::string& name) {
       ASSERT_EQ(::mkfifo(name.c_str(), 0666), 0);
       static std::vector<int> readers;
       readers.push_back(::open(name.c_str(), O_RDONLY | O_NONBLOCK));
       ASSERT_GE(readers.back(), 0);
     },
     false},
    {"a folder", [](const std::string&, const std::string& name) { fs::create_directory(name); },
     false},
};

// The writer tries a name the way the name before it turned out (made anew, or there
// already): every kind of entry gets the same answer after either.
TEST(OutputFolder, everyEntryAtANameGetsItsAnswerWhateverTheNameBeforeWas) {
  for (const bool beforeExisted : {false, true}) {
    for (const EntryCase& entry : kEntries) {
      SCOPED_TRACE(std::string(entry.what) +
                   (beforeExisted ? " after a rewritten page" : " after a new page"));
      testsupport::TempFolder scratch;
      const std::string base = scratch.Path();
      const std::string help = base + "help/";
      fs::create_directories(help);
      WriteBytes(base + "outside.html", "precious");
      if (beforeExisted) WriteBytes(help + "Before.html", "old");
      entry.plant(base, help + "A.html");
      const auto kind = fs::symlink_status(help + "A.html").type();

      OutputFolder folder;
      ASSERT_TRUE(folder.Open(help));
      ASSERT_TRUE(folder.Write("Before.html", "before"));
      EXPECT_EQ(folder.Write("A.html", "new page"), entry.written);
      ASSERT_TRUE(folder.Write("After.html", "after"));

      EXPECT_EQ(ReadBytes(help + "Before.html"), "before");
      EXPECT_EQ(ReadBytes(help + "After.html"), "after");
      EXPECT_EQ(ReadBytes(base + "outside.html"), "precious");
      EXPECT_EQ(fs::hard_link_count(base + "outside.html"), 1u);
      EXPECT_FALSE(fs::exists(base + "nowhere.html"));
      if (entry.written) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(help + "A.html")));
        EXPECT_EQ(ReadBytes(help + "A.html"), "new page");
      } else {
        EXPECT_EQ(fs::symlink_status(help + "A.html").type(), kind);
      }
    }
  }
}
#endif

TEST(OutputFolder, partsAreTakenApartAtBothSeparatorsAndNeverClimbOut) {
  testsupport::TempFolder scratch;
  OutputFolder folder;
  ASSERT_TRUE(folder.Open(scratch.Path()));
  EXPECT_TRUE(folder.Write("a/b\\c.html", "deep"));
  EXPECT_EQ(ReadBytes(scratch.Path() + "a/b/c.html"), "deep");
  EXPECT_TRUE(folder.Write("/./x.html", "leading separator and dot"));
  EXPECT_EQ(ReadBytes(scratch.Path() + "x.html"), "leading separator and dot");
  for (const std::string refused : {"../out.html", "a/../../out.html", "", "/", "./"}) {
    EXPECT_FALSE(folder.Write(refused, "x")) << refused;
  }
  EXPECT_FALSE(fs::exists(fs::path(scratch.Path()).parent_path().parent_path() / "out.html"));

  OutputFolder missing;
  EXPECT_FALSE(missing.Open(scratch.Path() + "missing"));
  EXPECT_FALSE(missing.Write("x.html", "x"));
}

TEST(OutputFolder, removingTakesRegularFilesAndEmptyFoldersOnly) {
  if (testsupport::kOnWindows) GTEST_SKIP() << "Wine makes no symbolic links";
  testsupport::TempFolder scratch;
  const std::string base = scratch.Path();
  WriteBytes(base + "outside.html", "kept");
  fs::create_directories(base + "help/sub");
  fs::create_directories(base + "help/full");
  WriteBytes(base + "help/full/page.html", "x");
  WriteBytes(base + "help/page.html", "x");
  fs::create_symlink(base + "outside.html", base + "help/link.html");
  fs::create_directory_symlink(base + "help/sub", base + "help/sublink");

  OutputFolder folder;
  ASSERT_TRUE(folder.Open(base + "help/"));
  EXPECT_FALSE(folder.RemoveFile("link.html"));
  EXPECT_FALSE(folder.RemoveFile("sub"));
  EXPECT_FALSE(folder.RemoveFile("sublink/../page.html"));
  EXPECT_TRUE(folder.RemoveFile("page.html"));
  EXPECT_FALSE(folder.RemoveFile("page.html"));
  EXPECT_FALSE(folder.RemoveEmptyFolder("full"));
  EXPECT_FALSE(folder.RemoveEmptyFolder("sublink"));
  EXPECT_TRUE(folder.RemoveEmptyFolder("sub"));

  EXPECT_TRUE(fs::is_symlink(base + "help/link.html"));
  EXPECT_TRUE(fs::is_symlink(base + "help/sublink"));
  EXPECT_TRUE(fs::exists(base + "help/full/page.html"));
  EXPECT_FALSE(fs::exists(base + "help/sub"));
  EXPECT_EQ(ReadBytes(base + "outside.html"), "kept");
}

}  // namespace
}  // namespace qs::platform
