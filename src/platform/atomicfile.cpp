#include "platform/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>

#include "platform/keptcopy.h"

namespace qs::platform {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeptNameBytes = 64;

// The temporary files this process is writing now: a leftover of an earlier process that had
// the same identifier is removed, these are not.
class LiveTemporaries {
 public:
  static LiveTemporaries& Instance() {
    static LiveTemporaries instance;
    return instance;
  }
  void Add(const std::string& path) {
    const std::lock_guard lock(mutex_);
    paths_.insert(path);
  }
  void Remove(const std::string& path) {
    const std::lock_guard lock(mutex_);
    paths_.erase(path);
  }
  bool Contains(const std::string& path) {
    const std::lock_guard lock(mutex_);
    return paths_.count(path) != 0;
  }

 private:
  std::mutex mutex_;
  std::set<std::string> paths_;
};

// A hash that is the same in every run and on every system, so that a later process finds
// the leftovers of an earlier one (32-bit FNV-1a).
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

// Everything of a temporary name up to the process identifier.
std::string TemporaryPrefix(std::string_view targetName) {
  std::size_t keep = targetName.size() < kKeptNameBytes ? targetName.size() : kKeptNameBytes;
  // Not cut inside a UTF-8 sequence: the name stays valid wherever the target's was.
  while (keep > 0 && keep < targetName.size() &&
         (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80) {
    --keep;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  const std::uint32_t hash = NameHash(targetName);
  std::string prefix = ".";
  prefix.append(targetName.substr(0, keep));
  prefix.append(".~qs");
  for (int shift = 28; shift >= 0; shift -= 4) prefix.push_back(kHex[(hash >> shift) & 0xF]);
  prefix.push_back('.');
  return prefix;
}

// The process identifier of a temporary name that has `prefix`, or nothing when the name is
// none of ours: prefix + digits + "-" + digits + ".tmp".
std::optional<unsigned long> LeftoverProcess(std::string_view name, std::string_view prefix) {
  constexpr std::string_view kExtension = ".tmp";
  if (name.size() <= prefix.size() + kExtension.size() || !name.starts_with(prefix) ||
      !name.ends_with(kExtension)) {
    return std::nullopt;
  }
  const std::string_view middle =
      name.substr(prefix.size(), name.size() - prefix.size() - kExtension.size());
  const std::size_t dash = middle.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == middle.size() || dash > 19) {
    return std::nullopt;
  }
  unsigned long process = 0;
  for (std::size_t i = 0; i < middle.size(); ++i) {
    if (i == dash) continue;
    if (middle[i] < '0' || middle[i] > '9') return std::nullopt;
    if (i < dash) process = process * 10 + static_cast<unsigned long>(middle[i] - '0');
  }
  return process;
}

// Removes the temporary files of `targetName` in `folder` that were left by a process that
// has ended (killed mid-write, or cut off by a power failure).
void RemoveLeftovers(const std::string& folder, std::string_view targetName) {
  const std::string prefix = TemporaryPrefix(targetName);
  const unsigned long self = CurrentProcessId();
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder.empty() ? "." : folder), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const auto process = LeftoverProcess(name, prefix);
    if (!process) continue;
    const std::string path = folder + name;
    const bool ended =
        *process == self ? !LiveTemporaries::Instance().Contains(path) : ProcessHasEnded(*process);
    if (!ended || !IsRemovableLeftover(path)) continue;
    std::error_code ignored;
    fs::remove(fs::path(path), ignored);
  }
}

// The file a link points at is the one to replace, not the link itself.
std::string ResolveLink(const std::string& target) {
  std::error_code error;
  const fs::path path(target);
  if (!fs::is_symlink(path, error)) return target;
  const auto resolved = fs::weakly_canonical(path, error);
  if (error) return target;
  return resolved.string();
}

unsigned NextNumber() {
  static std::atomic<unsigned> counter{0};
  return counter++;
}

}  // namespace

std::string AtomicFile::TemporaryName(std::string_view targetName, unsigned long processId,
                                      unsigned number) {
  return TemporaryPrefix(targetName) + std::to_string(processId) + "-" + std::to_string(number) +
         ".tmp";
}

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::Fail() {
  Discard();
  return false;
}

bool AtomicFile::Open(const std::string& target, const WriteOptions& options) {
  Discard();
  options_ = options;
  given_ = target;
  target_ = options.refuseLinks ? target : ResolveLink(target);
  failed_ = false;

  const std::string name = fs::path(target_).filename().string();
  if (name.empty() || name == "." || name == "..") return false;
  const std::string folder = target_.substr(0, target_.size() - name.size());
  std::error_code error;
  // A link at the name of a file that refuses links is replaced like a missing file.
  const auto status = options.refuseLinks ? fs::symlink_status(fs::path(target_), error)
                                          : fs::status(fs::path(target_), error);
  const bool exists = !error && fs::exists(status) && !fs::is_symlink(status);
  // What is replaced must be a file of the user's that may be written: never a pipe, a
  // device or a folder, and never a file the user made read-only.
  // (A file that refuses links and has a second name is no file of the user's: it is replaced
  // whatever its mode.)
  const bool foreign = options.refuseLinks && exists && fs::hard_link_count(target_, error) > 1;
  if (exists && (!fs::is_regular_file(status) || (!foreign && IsReadOnlyFile(target_)))) {
    return false;
  }

  RemoveLeftovers(folder, name);
  const unsigned long self = CurrentProcessId();
  int lastError = 0;
  for (unsigned attempt = 0; attempt < 8 && file_ == nullptr; ++attempt) {
    temporary_ = folder + TemporaryName(name, self, NextNumber());
    errno = 0;
    // Closed to others until Commit() gives it the mode it will have: a private project's
    // bytes are never readable under the temporary name.
    file_ = CreateTemporaryFile(temporary_, exists || options.privateFile);
    lastError = errno;
  }
  if (file_ != nullptr) {
    LiveTemporaries::Instance().Add(temporary_);
    return true;
  }
  temporary_.clear();
  // A folder that takes no new names while the file itself may be written: the file is
  // rewritten where it is, from the bytes collected until Commit(). Never a file that refuses
  // links: written where it is, a second name would take the bytes elsewhere.
  if (exists && !options.refuseLinks && (lastError == EACCES || lastError == EPERM)) {
    inPlace_ = true;
    return true;
  }
  return false;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (!IsOpen() || failed_) return false;
  if (inPlace_) {
    pending_.append(bytes);
  } else if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool AtomicFile::Commit() {
  if (inPlace_) {
    KeptCopy kept;
    if (failed_ ||
        (!options_.keptCopy.empty() && !kept.Keep(options_.keptCopy, given_, pending_))) {
      return Fail();
    }
    const InPlaceResult result = RewriteInPlace(target_, pending_);
    // A target that holds its old bytes or its new ones is whole; a damaged one keeps the copy.
    if (result != InPlaceResult::Damaged) kept.Remove();
    Discard();
    return result == InPlaceResult::Written;
  }
  if (file_ == nullptr) return false;
  bool ok = !failed_ && std::fflush(file_) == 0 &&
            TakeOwnerAndMode(file_, temporary_, target_, options_) && FlushToDisk(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (!ok) return Fail();
  std::error_code error;
  fs::rename(temporary_, target_, error);
  if (error) return Fail();
  LiveTemporaries::Instance().Remove(temporary_);
  temporary_.clear();
  return true;
}

void AtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    LiveTemporaries::Instance().Remove(temporary_);
    temporary_.clear();
  }
  inPlace_ = false;
  pending_.clear();
  pending_.shrink_to_fit();
}

}  // namespace qs::platform
