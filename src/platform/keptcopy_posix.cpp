#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/descriptorio_posix.h"
#include "platform/filesystem.h"
#include "platform/keptcopy.h"
#include "platform/userfolder.h"

namespace qs::platform {

namespace {

constexpr std::string_view kNoteSuffix = "-for";
constexpr std::size_t kCompareBlock = std::size_t{1} << 20;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

void FlushFolder(const std::string& path) {
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// A regular file of this user with no other name: a file of ours, not one planted there.
bool IsOwnFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == ::geteuid();
}

// Opens the note at `path` and locks it, waiting for another writer when `wait` is set. A
// link, a foreign file or a file with a second name there is removed and a note made in its
// place. -1 when it cannot be had, or when `wait` is not set and another process holds it
// (then `held` is set).
int LockNote(const std::string& path, bool create, bool wait, bool& held) {
  held = false;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd =
        ::open(path.c_str(),
               O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (create ? O_CREAT : 0),
               S_IRUSR | S_IWUSR);
    if (fd < 0) {
      if (errno == ELOOP && create && ::unlink(path.c_str()) == 0) continue;
      return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !IsOwnFile(opened)) {
      ::close(fd);
      if (!create || ::unlink(path.c_str()) != 0) return -1;
      continue;
    }
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
      held = errno == EWOULDBLOCK;
      ::close(fd);
      return -1;
    }
    // The previous holder may have removed the note while this process waited for it.
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev ||
        named.st_ino != opened.st_ino) {
      ::close(fd);
      continue;
    }
    return fd;
  }
  return -1;
}

// Writes `bytes` to a new private file at `path` (anything there is replaced, not written
// through), flushes it and compares it with what is read back.
bool WriteChecked(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp";
  ::unlink(temporary.c_str());  // a leftover of a writer that died: the note's lock is ours
  const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  bool ok = WriteAllAt(fd, bytes) && ::fsync(fd) == 0;
  // Read back in blocks: the copy may be as large as a project, and no second whole copy of
  // it is made in memory.
  std::string block;
  for (std::size_t done = 0; ok && done < bytes.size(); done += block.size()) {
    block.resize(std::min(kCompareBlock, bytes.size() - done));
    std::size_t got = 0;
    while (ok && got < block.size()) {
      const ssize_t n =
          ::pread(fd, block.data() + got, block.size() - got, static_cast<off_t>(done + got));
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) got += static_cast<std::size_t>(n);
    }
    ok = ok && std::string_view(block) == bytes.substr(done, block.size());
  }
  struct stat info {};
  ok = ok && ::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) == bytes.size();
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace

KeptCopy::~KeptCopy() {
  if (note_ != -1) ::close(static_cast<int>(note_));
}

bool KeptCopy::Keep(const std::string& copyPath, const std::string& target,
                    std::string_view bytes) {
  Remove();
  if (!MakePrivateFolder(FolderOf(copyPath))) return false;
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const int note = LockNote(notePath, true, true, held);
  if (note < 0) return false;
  const std::string named = AbsolutePath(target) + "\n";
  if (!WriteAllAt(note, named) || ::ftruncate(note, static_cast<off_t>(named.size())) != 0 ||
      ::fsync(note) != 0 || !WriteChecked(copyPath, bytes)) {
    ::unlink(copyPath.c_str());
    ::unlink(notePath.c_str());
    ::close(note);
    return false;
  }
  FlushFolder(copyPath);
  note_ = note;
  copy_ = copyPath;
  return true;
}

void KeptCopy::Remove() {
  if (note_ == -1) return;
  // The copy first: a note without its copy is removed by whoever finds it.
  ::unlink(copy_.c_str());
  ::unlink((copy_ + std::string(kNoteSuffix)).c_str());
  FlushFolder(copy_);
  ::close(static_cast<int>(note_));
  note_ = -1;
  copy_.clear();
}

LeftCopy FindLeftCopy(const std::string& copyPath) {
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const int note = LockNote(notePath, false, false, held);
  if (note < 0) return {held ? LeftCopy::State::Kept : LeftCopy::State::None, {}};
  std::string named(4096, '\0');
  const ssize_t got = ::pread(note, named.data(), named.size(), 0);
  named.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  if (!named.empty() && named.back() == '\n') named.pop_back();
  struct stat copy {};
  LeftCopy found{LeftCopy::State::Left, named};
  if (::lstat(copyPath.c_str(), &copy) != 0 || !IsOwnFile(copy) || named.empty() ||
      named.find('\n') != std::string::npos) {
    // The writer died before the rewrite began, or this is no note of ours.
    ::unlink(notePath.c_str());
    found = {};
  }
  ::close(note);
  return found;
}

bool DiscardLeftCopy(const std::string& copyPath) {
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const int note = LockNote(notePath, false, false, held);
  if (note < 0 && held) return false;
  ::unlink(copyPath.c_str());
  if (note >= 0) {
    ::unlink(notePath.c_str());
    ::close(note);
  }
  return true;
}

}  // namespace qs::platform
