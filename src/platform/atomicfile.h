#pragma once

// Replaces a file only when its new contents were written completely. The bytes go to a
// temporary file beside the target; Commit() flushes them to the disk and renames the
// temporary file over the target. Any failure on the way, or a writer dropped without
// Commit(), removes the temporary file and leaves the target byte for byte as it was.
//
// The temporary file's name is short whatever the target's length (a name near the system's
// limit still gets one) and tells which target it belongs to and which process made it. A
// process killed mid-write leaves its temporary file behind; the next save of the same target
// removes every such file whose process has ended.
//
// The replacement keeps the owner, group and mode of the file it replaces (an administrator
// saving someone else's file leaves it theirs), and is readable by its writer alone until
// then.
//
// A target the user made read-only is refused: its mode says so even to an administrator,
// whom the system would let write anyway. When the target's folder forbids new files but the
// target itself may be written, the target is rewritten where it is instead (see Commit()).

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace qs::platform {

// How AtomicFile writes its target.
struct WriteOptions {
  // The program's own files beside the settings, where no link of the user's belongs: a link
  // (or a second name) at the target's name is replaced by the new file, never written
  // through, and the target is never rewritten where it is.
  bool refuseLinks = false;
  // The file is its user's alone: mode 0600, owned by the writer, whatever was there before.
  // (Windows has no modes; such files live in the user's profile, closed to other users.)
  bool privateFile = false;
  // Where a rewrite in place keeps a copy of the new bytes until the target holds all of
  // them (see KeptCopy); empty: nowhere.
  std::string keptCopy;
};

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Prepares the replacement of `target` (a link is followed: the file it points at is
  // replaced). False when the target is read-only, is no regular file, or no replacement can
  // be made (for example when the target's folder does not exist). Folders are not created.
  bool Open(const std::string& target, const WriteOptions& options = {});
  bool IsOpen() const { return file_ != nullptr || inPlace_; }

  // Appends bytes. After a failed write every later call fails and Commit() refuses.
  bool Write(std::string_view bytes);

  // Flushes, closes and renames over the target. True only when the target now holds exactly
  // the bytes written. Rewriting in place (a folder without room for a new name), the target
  // is first checked to take the new size, then overwritten, flushed and read back; when any
  // of that fails its previous bytes are written back. A process killed during that rewrite
  // leaves a torn file: with `keptCopy` set, the new bytes are first written there and read
  // back (no rewrite without it), and the copy goes only once the target holds them or its
  // previous bytes again.
  bool Commit();

  // Removes the temporary file; the target stays as it was.
  void Discard();

  // The name of the temporary files of `targetName` (a file name without folder) made by
  // the process `processId`: "." + at most 64 bytes of the name + ".~qs" + 8 hex digits of a
  // hash of the whole name + "." + process + "-" + number + ".tmp".
  static std::string TemporaryName(std::string_view targetName, unsigned long processId,
                                   unsigned number);

 private:
  bool Fail();

  std::FILE* file_ = nullptr;
  std::string given_;  // the target as the caller named it: a kept copy's note names it so
  std::string target_;
  std::string temporary_;
  WriteOptions options_;
  bool failed_ = false;
  bool inPlace_ = false;
  std::string pending_;  // the bytes of a rewrite in place
};

// Implemented once per system, for AtomicFile.

// Pushes the file's buffered bytes to the disk.
bool FlushToDisk(std::FILE* file);

// The running process's identifier, and whether a process of that identifier has ended.
unsigned long CurrentProcessId();
bool ProcessHasEnded(unsigned long processId);

// The file's mode forbids writing it (for anyone, or for the user running the program).
bool IsReadOnlyFile(const std::string& path);

// A leftover temporary file that this user may remove: a regular file of the user, with no
// other name.
bool IsRemovableLeftover(const std::string& path);

// Makes the temporary file `path`, failing when anything is at that name (a link included).
// It is readable by its owner alone when `ownerOnly` is set, else as the user's new files are.
std::FILE* CreateTemporaryFile(const std::string& path, bool ownerOnly);

// Gives the written temporary file, before it is renamed over `target`, the owner, group and
// mode of the regular file at `target` (when there is one; with `options.refuseLinks` a link
// there lends nothing), or mode 0600 and its writer as owner for a private file. An owner the
// writer may not give is left to the writer. False when a private file could not be closed
// to others.
bool TakeOwnerAndMode(std::FILE* file, const std::string& temporary, const std::string& target,
                      const WriteOptions& options);

// Rewrites the regular file at `path` with `bytes` where it is, as Commit() describes.
enum class InPlaceResult {
  Written,    // the file holds `bytes`
  Unchanged,  // the file holds its previous bytes
  Damaged,    // the rewrite failed and the previous bytes could not be written back
};
InPlaceResult RewriteInPlace(const std::string& path, std::string_view bytes);

}  // namespace qs::platform
