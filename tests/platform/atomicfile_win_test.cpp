// Replacing a file on Windows, where another program may hold the file open and a file may be
// marked read-only.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/atomicfile.h"
#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class AtomicFileOnWindows : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(target, "old bytes"); }

  bool Replace(const std::string& bytes) {
    AtomicFile file;
    return file.Open(target) && file.Write(bytes) && file.Commit();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  // Another program's handle on the target, sharing what `share` allows.
  HANDLE OpenElsewhere(DWORD share) const {
    return CreateFileA(target.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  testsupport::TempFolder scratch;
  const std::string target = testsupport::Native(scratch.Path() + "My Project.qsp");
};

// Whether a file that another program holds open can be replaced depends on how it was
// opened and on the Windows release: where it can, it is replaced whole; where it cannot, the
// failure is reported and the file keeps its bytes. Either way the other program goes on
// reading what it opened, and no temporary file stays.
TEST_F(AtomicFileOnWindows, aFileOpenElsewhereIsReplacedWholeOrReportedAndKept) {
  // Without delete sharing, as most programs and the C runtime open a file, and with it.
  for (const DWORD share : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE},
                            DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
    WriteBytes(target, "old bytes");
    const HANDLE other = OpenElsewhere(share);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    const bool replaced = Replace("new bytes");
    EXPECT_EQ(ReadBytes(target), replaced ? "new bytes" : "old bytes") << share;
    char buffer[32] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(other, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "old bytes") << share;
    CloseHandle(other);
    EXPECT_EQ(Names(), std::vector<std::string>{"My Project.qsp"}) << share;
    // Once the other program lets go, the file is replaced.
    EXPECT_TRUE(Replace("newer bytes"));
    EXPECT_EQ(ReadBytes(target), "newer bytes");
  }
}

}  // namespace
}  // namespace qs::platform
