#include "platform/regularfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;
using testsupport::WriteBytes;

TEST(RegularFile, isReadWholeUpToItsLimitAndRefusedPastIt) {
  testsupport::TempFolder scratch;
  const std::string path = scratch.Path() + "file";
  WriteBytes(path, "0123456789");
  std::string bytes;
  EXPECT_EQ(ReadRegularFile(path, 10, bytes), ReadStatus::Read);
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(ReadRegularFile(path, 9, bytes), ReadStatus::TooLarge);
  EXPECT_EQ(bytes, "");

  WriteBytes(path, "");
  FileBlock block;
  EXPECT_EQ(ReadRegularFile(path, 0, block), ReadStatus::Read);
  EXPECT_EQ(block.size, 0u);
  EXPECT_NE(block.bytes, nullptr);  // one byte is always there to point at

  fs::create_directories(scratch.Path() + "folder");
  EXPECT_EQ(ReadRegularFile(scratch.Path() + "folder", 100, bytes), ReadStatus::NotARegularFile);
  EXPECT_EQ(ReadRegularFile(scratch.Path() + "missing", 100, bytes), ReadStatus::CannotOpen);
  EXPECT_EQ(ReadRegularFile("", 100, bytes), ReadStatus::CannotOpen);
}

}  // namespace
}  // namespace qs::platform
