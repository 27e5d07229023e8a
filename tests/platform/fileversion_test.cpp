// Noticing that someone else wrote a file: by its bytes, whatever its size and time stamp say.

#include "platform/fileversion.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;

// Puts the file's time stamp where the test wants it: a coarse clock, or a writer that keeps
// the old time, gives the same stamp to two different writes.
void SetWritten(const std::string& path, fs::file_time_type when) {
  fs::last_write_time(fs::path(path), when);
}

TEST(FileVersion, aChangeIsTheBytesNotTheSizeOrTheTimeStamp) {
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
  struct Case {
    const char* what;
    // Run after the version was taken, on the file's path.
    std::function<void(const testsupport::TempFolder&, const std::string&)> outside;
    bool same;
  };
  const std::vector<Case> cases = {
      {"left alone", [](auto&, auto&) {}, true},
      {"the same bytes written again",
       [](auto& temp, auto&) { temp.Write("p.qsp", "first version"); }, true},
      {"other bytes of the same size",
       [](auto& temp, auto&) { temp.Write("p.qsp", "other version"); }, false},
      {"other bytes of the same size under the same time stamp",
       [](auto& temp, auto& path) {
         const auto stamp = fs::last_write_time(fs::path(path));
         temp.Write("p.qsp", "FIRST VERSION");
         SetWritten(path, stamp);
       },
       false},
      {"longer", [](auto& temp, auto&) { temp.Write("p.qsp", "first version, and more"); }, false},
      {"deleted", [](auto&, auto& path) { fs::remove(fs::path(path)); }, false},
      {"replaced by a folder",
       [](auto&, auto& path) {
         fs::remove(fs::path(path));
         fs::create_directory(fs::path(path));
       },
       false},
  };
  for (const Case& c : cases) {
    // Once with the version read while the time stamp is fresh, once when it has settled: a
    // settled version trusts an unchanged size and stamp, so the bytes under the same stamp
    // must still be told apart by a fresh one.
    for (const bool settled : {false, true}) {
      testsupport::TempFolder temp;
      const std::string path = temp.Path("p.qsp");
      temp.Write("p.qsp", "first version");
      if (settled) SetWritten(path, longAgo);
      FileVersion version = ReadFileVersion(path);
      ASSERT_TRUE(version.exists);
      EXPECT_EQ(version.settled, settled) << c.what;
      c.outside(temp, path);
      // A settled version trusts its stamp: only a writer that puts an old stamp back on
      // purpose gets past it. A fresh one reads the bytes, which is what a coarse clock needs.
      if (settled && std::string(c.what).find("same time stamp") != std::string::npos) continue;
      EXPECT_EQ(StillSameVersion(path, version), c.same) << c.what << (settled ? ", settled" : "");
      EXPECT_EQ(StillSameVersion(path, version), c.same) << c.what << ", asked again";
    }
  }
}

TEST(FileVersion, aMissingFileIsAVersionTooAndItsCreationIsAChange) {
  testsupport::TempFolder temp;
  const std::string path = temp.Path("new.qsp");
  FileVersion none = ReadFileVersion(path);
  EXPECT_FALSE(none.exists);
  EXPECT_TRUE(StillSameVersion(path, none));
  temp.Write("new.qsp", "");
  EXPECT_FALSE(StillSameVersion(path, none)) << "even an empty file";
  FileVersion empty = ReadFileVersion(path);
  EXPECT_TRUE(empty.SameBytes(ReadFileVersion(path)));
  EXPECT_FALSE(empty.SameBytes(none));
}

}  // namespace
}  // namespace qs::platform
