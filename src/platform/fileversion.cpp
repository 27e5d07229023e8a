#include "platform/fileversion.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/inputfile.h"

namespace qs::platform {
namespace fs = std::filesystem;

namespace {

// Some file systems keep the time of a write in steps of up to two seconds: a time stamp older
// than this margin cannot be given again by a write that comes later.
constexpr auto kCoarsestTick = std::chrono::seconds(3);

struct Stamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;
};

Stamp StampOf(const std::string& path) {
  std::error_code error;
  const fs::path file(path);
  if (!fs::is_regular_file(file, error)) return {};
  const auto size = fs::file_size(file, error);
  if (error) return {};
  const auto written = fs::last_write_time(file, error);
  if (error) return {};
  return {true, static_cast<std::uint64_t>(size),
          static_cast<std::int64_t>(written.time_since_epoch().count())};
}

bool IsSettled(std::int64_t modified) {
  const fs::file_time_type written{fs::file_time_type::duration(modified)};
  return fs::file_time_type::clock::now() - written > kCoarsestTick;
}

// FNV-1a over the file's bytes, read in blocks; 0 when the file cannot be read to its end.
std::uint64_t DigestOf(const std::string& path) {
  InputFile file;
  if (file.Open(path) != ReadStatus::Read) return 0;
  std::uint64_t hash = 14695981039346656037ULL;
  char block[65536];
  for (;;) {
    const auto got = file.Read(block, sizeof block);
    if (got < 0) return 0;
    if (got == 0) break;
    for (std::ptrdiff_t i = 0; i < got; ++i) {
      hash ^= static_cast<unsigned char>(block[i]);
      hash *= 1099511628211ULL;
    }
  }
  // 0 stays the mark of bytes that could not be read.
  return hash == 0 ? 1 : hash;
}

}  // namespace

FileVersion ReadFileVersion(const std::string& path) {
  const Stamp before = StampOf(path);
  if (!before.exists) return {};
  FileVersion version{true, before.size, before.modified, DigestOf(path), false};
  // Written again while it was read: the digest may mix two versions, and the time stamp then
  // names neither; a version that is never settled is always read again.
  const Stamp after = StampOf(path);
  version.settled = after.exists && after.size == before.size &&
                    after.modified == before.modified && IsSettled(before.modified);
  return version;
}

bool StillSameVersion(const std::string& path, FileVersion& version) {
  const Stamp now = StampOf(path);
  if (!now.exists || !version.exists) return now.exists == version.exists;
  if (now.size != version.size) return false;
  if (version.settled && now.modified == version.modified) return true;
  const FileVersion read = ReadFileVersion(path);
  // Bytes that cannot be read are judged by their size and time stamp alone.
  const bool same =
      read.digest == 0 || version.digest == 0
          ? read.exists && read.size == version.size && read.modified == version.modified
          : read.SameBytes(version);
  if (same) version = read;
  return same;
}

}  // namespace qs::platform
