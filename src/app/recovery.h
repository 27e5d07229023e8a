#pragma once

// Recovery copies of unsaved work, in the folder "Recovery" beside the settings. A copy is a
// project file like any other, named by a hash of its project file's path (the same project
// always has the same copy), with an owner file beside it naming the process that writes it:
// a copy is offered back only once that process has ended.

#include <string>
#include <vector>

#include "app/services.h"
#include "project/helpproject.h"

namespace qs::app {

class RecoveryStore {
 public:
  // `settingsFolder` ends in a separator.
  explicit RecoveryStore(const std::string& settingsFolder);

  // Writes the copy atomically; failures are silent (the next attempt comes with the timer).
  void Write(const project::HelpProject& project) const;
  void Remove(const std::string& projectFile) const;
  // Copies whose process has ended and that are newer than their project file (or belong to
  // a project never saved), newest first. A copy older than its project file is removed.
  std::vector<RecoveryCopy> Find() const;

  // The copy of a project file: folder + 16 hex digits + ".qsp".
  std::string CopyPath(const std::string& projectFile) const;

 private:
  std::string folder_;
};

}  // namespace qs::app
