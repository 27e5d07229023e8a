#include "platform/atomicfile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace qs::platform {

namespace {

// A name beside the target that no other writer picks at the same time: the time, a counter
// of this process and the exclusive creation mode together rule out a clash.
std::string TemporaryNameFor(const std::string& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return target + ".~" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) +
         "-" + std::to_string(counter++) + "-" + std::to_string(attempt) + ".tmp";
}

// The file a link points at is the one to replace, not the link itself.
std::string ResolveLink(const std::string& target) {
  std::error_code error;
  const std::filesystem::path path(target);
  if (!std::filesystem::is_symlink(path, error)) return target;
  const auto resolved = std::filesystem::weakly_canonical(path, error);
  if (error) return target;
  return resolved.string();
}

}  // namespace

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::Open(const std::string& target) {
  Discard();
  target_ = ResolveLink(target);
  failed_ = false;
  for (unsigned attempt = 0; attempt < 8 && file_ == nullptr; ++attempt) {
    temporary_ = TemporaryNameFor(target_, attempt);
    file_ = std::fopen(temporary_.c_str(), "wbx");
  }
  if (file_ == nullptr) {
    temporary_.clear();
    return false;
  }
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool AtomicFile::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_ && std::fflush(file_) == 0 && FlushToDisk(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok) {
    // The new file keeps the permissions of the one it replaces.
    std::error_code error;
    const auto previous = std::filesystem::status(target_, error);
    if (!error && std::filesystem::is_regular_file(previous)) {
      std::filesystem::permissions(temporary_, previous.permissions(), error);
    }
    error.clear();
    std::filesystem::rename(temporary_, target_, error);
    ok = !error;
  }
  if (!ok) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
  temporary_.clear();
  return ok;
}

void AtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
  }
}

}  // namespace qs::platform
