#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/descriptorio_posix.h"
#include "platform/outputfolder.h"

namespace qs::platform {

namespace {

// Folders are opened only to reach what is below them: where the system can, without asking
// to read them, so that a folder the user may write but not list is written all the same.
#ifdef O_PATH
constexpr int kFolderAccess = O_PATH;
#else
constexpr int kFolderAccess = O_RDONLY;
#endif
constexpr int kFolderFlags = kFolderAccess | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Closes a descriptor on every way out, unless it is the open folder's own.
class Descriptor {
 public:
  Descriptor(int fd, bool owned) : fd_(fd), owned_(owned) {}
  ~Descriptor() { Reset(-1, false); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  void Reset(int fd, bool owned) {
    if (owned_ && fd_ >= 0) ::close(fd_);
    fd_ = fd;
    owned_ = owned;
  }
  int get() const { return fd_; }

 private:
  int fd_;
  bool owned_;
};

// Opens the sub-folder `name` of `parent` without following a link; makes it first when
// `make` is set and it is missing. -1 when it is a link, no folder, or cannot be had.
int OpenSubFolder(int parent, const std::string& name, bool make) {
  int fd = ::openat(parent, name.c_str(), kFolderFlags);
  if (fd < 0 && errno == ENOENT && make) {
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
    fd = ::openat(parent, name.c_str(), kFolderFlags);
  }
  return fd;
}

// Opens, below `root`, the folder that holds the last part of `relative`, one part at a
// time, and names that last part.
bool Reach(int root, std::string_view relative, bool make, Descriptor& folder, std::string& name) {
  std::vector<std::string_view> parts;
  if (root < 0 || !OutputFolder::SplitParts(relative, parts)) return false;
  folder.Reset(root, false);
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const int sub = OpenSubFolder(folder.get(), std::string(parts[i]), make);
    if (sub < 0) return false;
    folder.Reset(sub, true);
  }
  name = parts.back();
  return true;
}

// Writes `bytes` into the open regular file over the `held` bytes it held, and cuts off the
// rest. On a failure the file, which may now be cut short, is removed when its name still
// leads to it.
bool FillFile(int folder, const std::string& name, int fd, off_t held, std::string_view bytes) {
  bool ok = WriteAllAt(fd, bytes);
  if (ok && held > static_cast<off_t>(bytes.size())) {
    ok = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
  }
  struct stat written {};
  const bool known = !ok && ::fstat(fd, &written) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    struct stat now {};
    if (known && ::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == written.st_dev && now.st_ino == written.st_ino) {
      ::unlinkat(folder, name.c_str(), 0);
    }
  }
  return ok;
}

// How a try at writing a name ended: written, failed for good, or the name was found free
// or taken, to be tried again the matching way.
enum class Outcome { Written, Failed, Free, Taken };

// Makes the file `name` in one call and writes it: O_EXCL makes it only when nothing is at
// the name, and with O_NOFOLLOW not even at a dangling link, so what is opened is a new
// regular file with this one name, and nothing needs checking.
Outcome MakeNew(int folder, const std::string& name, std::string_view bytes) {
  const int fd =
      ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? Outcome::Taken : Outcome::Failed;
  return FillFile(folder, name, fd, 0, bytes) ? Outcome::Written : Outcome::Failed;
}

// Writes over what is at `name` when it is a regular file with no other name. A link or a
// hard link there is removed instead (written through, it would change a file elsewhere) and
// the name is free. A pipe, a device or a folder fails.
//
// The open itself does the checks that need no second look: O_NOFOLLOW refuses a link and a
// folder cannot be opened for writing, and O_NONBLOCK keeps a pipe from holding the writer up
// (without a reader it is refused; with one it is opened and let go unwritten). What the open
// cannot tell, a file that is no regular one or that has another name, the descriptor's own
// status tells, so a page costs an open, a status, the write and the close. (Only the
// administrator makes device nodes, so none turns up where an author's pages go.)
Outcome WriteOver(int folder, const std::string& name, std::string_view bytes) {
  const int fd =
      ::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Outcome::Free;
    // A link: removed, and the name is free (gone meanwhile, free all the same).
    if (errno == ELOOP) {
      return ::unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT ? Outcome::Free
                                                                         : Outcome::Failed;
    }
    return Outcome::Failed;  // a folder, a pipe without a reader, no right to write
  }
  // Checked on what was opened. (A hard link made and removed again between the open and
  // this check would pass; the system's protection of hard links, on by default, lets
  // another user link only files they may write anyway.)
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    return Outcome::Failed;  // a pipe, a device, a socket
  }
  if (opened.st_nlink > 1) {
    ::close(fd);
    // Removed only while the name still leads to the file looked at.
    struct stat now {};
    if (::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) {
      return errno == ENOENT ? Outcome::Free : Outcome::Failed;
    }
    if (now.st_dev != opened.st_dev || now.st_ino != opened.st_ino) return Outcome::Taken;
    return ::unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT ? Outcome::Free
                                                                       : Outcome::Failed;
  }
  return FillFile(folder, name, fd, opened.st_size, bytes) ? Outcome::Written : Outcome::Failed;
}

// Writes the file `name` of the open folder; see OutputFolder::Write. `expectTaken` says which
// way to try first and keeps what the last name turned out to be: a build into a new folder
// finds every name free, and one call makes each file; a rebuild finds every name taken, and
// the open file is looked at before it is written. A name of the other kind costs one call
// more.
bool WriteFileIn(int folder, const std::string& name, std::string_view bytes, bool& expectTaken) {
  // Another process may change the name between any two calls: every step checks what it
  // got and starts again when the name changed under it, a bounded number of times.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const Outcome outcome =
        expectTaken ? WriteOver(folder, name, bytes) : MakeNew(folder, name, bytes);
    if (outcome == Outcome::Written) return true;
    if (outcome == Outcome::Failed) return false;
    expectTaken = outcome == Outcome::Taken;
  }
  return false;
}

}  // namespace

OutputFolder::~OutputFolder() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));
}

bool OutputFolder::Open(const std::string& folder) {
  if (handle_ != -1) ::close(static_cast<int>(handle_));
  handle_ = -1;
  path_ = folder;
  const int fd =
      ::open(folder.empty() ? "." : folder.c_str(), kFolderAccess | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

bool OutputFolder::Write(std::string_view relative, std::string_view bytes) {
  Descriptor folder(-1, false);
  std::string name;
  return Reach(static_cast<int>(handle_), relative, true, folder, name) &&
         WriteFileIn(folder.get(), name, bytes, expectTaken_);
}

ReadStatus OutputFolder::Read(std::string_view relative, std::size_t limit, std::string& bytes) {
  bytes.clear();
  Descriptor folder(-1, false);
  std::string name;
  errno = ENOENT;
  if (!Reach(static_cast<int>(handle_), relative, false, folder, name)) {
    // A sub-folder on the way that is a link, or no folder.
    return (errno == ELOOP || errno == ENOTDIR) ? ReadStatus::NotARegularFile
                                                : ReadStatus::CannotOpen;
  }
  // O_NONBLOCK: a pipe put at the name does not hold the reader up.
  const int fd = ::openat(folder.get(), name.c_str(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ELOOP ? ReadStatus::NotARegularFile : ReadStatus::CannotOpen;
  const Descriptor file(fd, true);
  struct stat opened {};
  // A folder holds nothing to read here, and it is no hazard either.
  if (::fstat(fd, &opened) != 0 || S_ISDIR(opened.st_mode)) return ReadStatus::CannotOpen;
  if (!S_ISREG(opened.st_mode) || opened.st_nlink != 1) return ReadStatus::NotARegularFile;
  if (static_cast<std::uintmax_t>(opened.st_size) > limit) return ReadStatus::TooLarge;
  bytes.resize(static_cast<std::size_t>(opened.st_size));
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      // Full: the file may have grown since it was opened.
      if (bytes.size() >= limit) {
        char probe = 0;
        const ssize_t more = ::read(fd, &probe, 1);
        if (more == 0) break;
        bytes.clear();
        return more < 0 ? ReadStatus::ReadFailed : ReadStatus::TooLarge;
      }
      bytes.resize(std::min(limit, bytes.size() + bytes.size() / 2 + 65536));
    }
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes.clear();
      return ReadStatus::ReadFailed;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return ReadStatus::Read;
}

bool OutputFolder::RemoveFile(std::string_view relative) {
  Descriptor folder(-1, false);
  std::string name;
  if (!Reach(static_cast<int>(handle_), relative, false, folder, name)) return false;
  struct stat seen {};
  if (::fstatat(folder.get(), name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(seen.st_mode)) {
    return false;
  }
  return ::unlinkat(folder.get(), name.c_str(), 0) == 0;
}

bool OutputFolder::RemoveEmptyFolder(std::string_view relative) {
  Descriptor folder(-1, false);
  std::string name;
  // AT_REMOVEDIR removes only an empty folder, and never what a link points at.
  return Reach(static_cast<int>(handle_), relative, false, folder, name) &&
         ::unlinkat(folder.get(), name.c_str(), AT_REMOVEDIR) == 0;
}

}  // namespace qs::platform
