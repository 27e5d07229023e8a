#pragma once

// A copy of a file's new bytes, kept elsewhere while the file itself is rewritten where it is:
// a process killed midway through that rewrite leaves a torn file, and the copy is then the
// complete version to offer back. Beside the copy, a note names the file it belongs to. Its
// writer holds a lock on the note until it is done; the system releases the lock when the
// writer dies, so a note that nobody holds belongs to a rewrite that never finished, however
// the process ids of the machine were reused since. Implemented once per system.

#include <cstdint>
#include <string>
#include <string_view>

namespace qs::platform {

class KeptCopy {
 public:
  KeptCopy() = default;
  // Lets go of the lock; the copy stays unless Remove() was called.
  ~KeptCopy();
  KeptCopy(const KeptCopy&) = delete;
  KeptCopy& operator=(const KeptCopy&) = delete;

  // Writes the note `copyPath` + "-for" naming `target` (made absolute), then `bytes` to
  // `copyPath`, flushed to the disk and read back. Both are private files, and a link or a
  // second name planted at either name is replaced, never written through; the folder is made
  // private when missing. Waits while another process keeps a copy at the same place (a save
  // of the same file). False, with nothing kept, when any of that fails.
  bool Keep(const std::string& copyPath, const std::string& target, std::string_view bytes);

  // The target holds what it should: the copy and its note go.
  void Remove();

 private:
  std::intptr_t note_ = -1;  // the note's descriptor or handle, locked
  std::string copy_;
};

struct LeftCopy {
  enum class State {
    None,  // no copy at that place
    Kept,  // a running process keeps it: its rewrite is under way
    Left,  // the rewrite of `target` did not finish
  } state = State::None;
  std::string target;
};

// What is at `copyPath`. A note left without its copy (the writer died before the rewrite
// began) is removed on the way.
LeftCopy FindLeftCopy(const std::string& copyPath);

// Removes a copy that was left, and its note. False while a running process keeps it.
bool DiscardLeftCopy(const std::string& copyPath);

}  // namespace qs::platform
