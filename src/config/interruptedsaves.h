#pragma once

// Saves that rewrite a project file where it is (its folder takes no new files) keep a copy of
// the new bytes in the folder "Recovery" beside the settings until the file holds all of them.
// A process killed meanwhile leaves a torn file and that copy: the next start offers the copy
// back, and a load of the torn file reads the copy instead, saying so.

#include <string>
#include <vector>

#include "config/recovery.h"
#include "text/report.h"

namespace qs::config {

// What a load says when it read the copy of an unfinished save in place of `projectFile`.
text::Report InterruptedSaveReport(const std::string& projectFile);

class InterruptedSaves {
 public:
  // `settingsFolder` ends in a separator.
  explicit InterruptedSaves(const std::string& settingsFolder);

  // Where a save of `projectFile` keeps its bytes: the folder, 16 hex digits of a hash of the
  // file's absolute path, ".saving".
  std::string CopyPath(const std::string& projectFile) const;

  // The copies of saves that did not finish, of project files that do not hold their bytes,
  // newest first. A copy whose project file holds its bytes (the save got that far) is
  // removed; one a running save keeps is left to it.
  std::vector<RecoveryCopy> Find() const;

  // The copy of an unfinished save of `projectFile` when the file does not hold its bytes
  // (one that does is removed); empty when there is none.
  std::string LeftFor(const std::string& projectFile) const;

  // Removes the copy of an unfinished save of `projectFile`: the author declined it, or the
  // project was saved since.
  void Discard(const std::string& projectFile) const;

 private:
  std::string folder_;
};

}  // namespace qs::config
