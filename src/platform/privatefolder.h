#pragma once

// A folder of this run's own below the temporary folder, for work that nobody else may
// watch or change: made fresh (never one that was there before), open to this user only,
// and removed with everything in it when done. The help compiler runs in one, on copies, so
// that a link someone plants in the help folder cannot send its writing or its reading
// elsewhere. Implemented once per system.

#include <string>

namespace qs::platform {

class PrivateFolder {
 public:
  PrivateFolder() = default;
  // Removes the folder and everything in it (links are removed, never followed).
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // Makes a new folder below `tempFolder` (which ends in a separator). On POSIX its mode is
  // 0700; on Windows it is made in the user's own temporary folder and takes that folder's
  // access rights. False when none could be made.
  bool Make(const std::string& tempFolder);

  // The folder with a trailing separator; empty before Make succeeded.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// True when `path` names a regular file (a link is not followed) that belongs to the user
// this program runs as: what this user may remove in a folder others share.
bool IsOwnRegularFile(const std::string& path);

}  // namespace qs::platform
