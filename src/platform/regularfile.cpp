#include "platform/regularfile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace qs::platform {

namespace {

// A block of `size` bytes (at least one), or nothing when the memory cannot be had.
std::unique_ptr<char[]> Allocate(std::size_t size) {
  try {
    return std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(size, 1));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, FileBlock& block) {
  block = FileBlock{};
  InputFile file;
  const ReadStatus opened = file.Open(path);
  if (opened != ReadStatus::Read) return opened;
  if (file.Size() > limit) return ReadStatus::TooLarge;

  FileBlock read;
  std::size_t capacity = static_cast<std::size_t>(file.Size());
  read.bytes = Allocate(capacity);
  if (!read.bytes) return ReadStatus::TooLarge;
  for (;;) {
    if (read.size < capacity) {
      const auto got = file.Read(read.bytes.get() + read.size, capacity - read.size);
      if (got < 0) return ReadStatus::ReadFailed;
      if (got == 0) break;  // the file shrank since it was opened: what is there counts
      read.size += static_cast<std::size_t>(got);
      continue;
    }
    // The block is full: the file may have grown since its size was taken.
    char probe[16384];
    const auto got = file.Read(probe, sizeof probe);
    if (got < 0) return ReadStatus::ReadFailed;
    if (got == 0) break;
    const auto extra = static_cast<std::size_t>(got);
    if (extra > limit - read.size) return ReadStatus::TooLarge;
    capacity = std::min(limit, std::max(read.size + extra, read.size + read.size / 2 + 65536));
    auto grown = Allocate(capacity);
    if (!grown) return ReadStatus::TooLarge;
    if (read.size > 0) std::memcpy(grown.get(), read.bytes.get(), read.size);
    std::memcpy(grown.get() + read.size, probe, extra);
    read.bytes = std::move(grown);
    read.size += extra;
  }
  block = std::move(read);
  return ReadStatus::Read;
}

ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  FileBlock block;
  const ReadStatus status = ReadRegularFile(path, limit, block);
  if (status != ReadStatus::Read) return status;
  try {
    bytes.assign(block.View());
  } catch (const std::bad_alloc&) {
    return ReadStatus::TooLarge;
  }
  return ReadStatus::Read;
}

}  // namespace qs::platform
