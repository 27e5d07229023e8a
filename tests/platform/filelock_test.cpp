#include "platform/filelock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/logcapture.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Two locks in one process stand for two processes: the system sets them against each other
// all the same.
TEST(FileLock, excludesAnotherHolderUntilReleasedAndWaitsForIt) {
  testsupport::TempFolder temp;
  const std::string path = temp.Path(".p.qsp.write.lock");
  FileLock first;
  FileLock second;
  ASSERT_EQ(first.TryLock(path), LockResult::Locked);
  EXPECT_TRUE(first.IsHeld());
  EXPECT_EQ(second.TryLock(path), LockResult::Busy);
  {
    // Waiting is silent for the user; the log says who waited, and for nothing.
    testsupport::LogCapture log("qs.platform");
    EXPECT_EQ(second.Lock(path, 30ms), LockResult::Busy);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].ends_with(" ms for the lock '" + path + "': still busy"));
  }
  EXPECT_FALSE(second.IsHeld());

  // A waiter gets the lock once the holder lets go, and the holder's moves keep it held.
  FileLock moved = std::move(first);
  EXPECT_FALSE(first.IsHeld());
  std::thread releaser([&moved] {
    std::this_thread::sleep_for(50ms);
    moved.Release();
  });
  EXPECT_EQ(second.Lock(path, 20s), LockResult::Locked);
  releaser.join();
  EXPECT_EQ(FileLock().TryLock(path), LockResult::Busy);

  // Let go by its last holder, the lock file goes on POSIX systems; on Windows it stays empty.
  second.Release();
  EXPECT_EQ(fs::exists(path), testsupport::kOnWindows);
  if (fs::exists(path)) {
    EXPECT_EQ(fs::file_size(path), 0u);
  }
  EXPECT_EQ(second.TryLock(path), LockResult::Locked);
}

TEST(FileLock, refusesWhatIsNoPlainFileAtItsName) {
  testsupport::TempFolder temp;
  fs::create_directory(temp.Path("folder.lock"));
  FileLock lock;
  EXPECT_EQ(lock.TryLock(temp.Path("folder.lock")), LockResult::Unavailable);
  EXPECT_EQ(lock.Lock(temp.Path("missing/x.lock"), 1s), LockResult::Unavailable);
  if (testsupport::kOnWindows) GTEST_SKIP() << "links need privileges on Windows";
  // A link planted at the name is never followed: its target is neither made nor locked.
  fs::create_symlink(temp.Path("victim"), temp.Path("planted.lock"));
  temp.Write("kept", "precious");
  fs::create_symlink(temp.Path("kept"), temp.Path("kept.lock"));
  EXPECT_EQ(lock.TryLock(temp.Path("planted.lock")), LockResult::Unavailable);
  EXPECT_EQ(lock.TryLock(temp.Path("kept.lock")), LockResult::Unavailable);
  EXPECT_FALSE(fs::exists(temp.Path("victim")));
  EXPECT_EQ(temp.Read("kept"), "precious");
  EXPECT_TRUE(fs::is_symlink(temp.Path("kept.lock")));
}

}  // namespace
}  // namespace qs::platform
