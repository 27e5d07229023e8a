#pragma once

// Recovery copies of unsaved work, in the folder "Recovery" beside the settings. A copy is a
// project file like any other, named by a hash of its project file's path. Its writer holds
// a lock on the lock file of the same name for as long as it runs (the system lets go of it
// when the writer dies, however it ends): a copy whose lock is held belongs to a running
// program and is neither offered nor written by anyone else. A process id names no owner:
// another program may have it after a restart.
//
// A copy found unowned is held by the run that offers it until it is restored, declined or
// that run ends, so that no other run writes over it meanwhile. A run that finds the copy
// name of its project taken (another window has the same project open, or a copy waits to be
// offered) writes under the same name with "-1", "-2" and so on.

#include <string>
#include <vector>

#include "platform/filelock.h"
#include "platform/localtime.h"
#include "project/helpproject.h"

namespace qs::config {

// A recovery copy of unsaved work, left behind by a run of the program that has ended.
struct RecoveryCopy {
  std::string path;         // the copy itself, a project file
  std::string projectFile;  // the project it belongs to; empty for one never saved
  platform::DateTime written;
  // The copy holds the version a save was writing into the project file when it was killed
  // (the file may be torn), not unsaved work.
  bool interruptedSave = false;
};

class RecoveryStore {
 public:
  // `settingsFolder` ends in a separator.
  explicit RecoveryStore(const std::string& settingsFolder);
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // Writes the copy atomically and gives its path; empty when it could not be written (the
  // timer's next attempt is the remedy, so most callers pass over that).
  std::string Write(const project::HelpProject& project);
  // Removes this run's copy of the project file and those of it this run was offered.
  void Remove(const std::string& projectFile);
  // Copies no running program owns that are newer than their project file (or belong to a
  // project never saved), newest first; this run holds them from now on. A copy older than
  // its project file is removed.
  std::vector<RecoveryCopy> Find();
  // The offered copy at `path` was restored: this run's writes of its project go there.
  void Take(const std::string& path);
  // The offered copy at `path` is left for the next start: this run lets go of it (its lock
  // too), so that neither its writes nor a removal of its project's copies touch it.
  void Postpone(const std::string& path);

 private:
  struct HeldCopy {
    std::string projectFile;
    std::string path;
    platform::FileLock lock;
    bool offered = false;  // found by Find and neither taken nor removed
  };
  // This run's copy of the project file, claimed now when there is none yet; null when no
  // name is free.
  HeldCopy* Claim(const std::string& projectFile);

  std::string folder_;
  std::vector<HeldCopy> held_;
};

}  // namespace qs::config
