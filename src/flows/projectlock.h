#pragma once

// The locks beside a project file that every window and command line of this program
// respects, of any user who may open the project:
//  - the open lock, held by a window for as long as it has the project open, so that a
//    second window opening it can say so (a command line never waits for it);
//  - the write lock, held for one write: the command line's whole read, merge and save, the
//    window's save. A second writer waits for it, so that no write is based on a file another
//    writer is about to replace.
// Both are hidden files in the project's folder ("." + the file's name + ".open.lock" or
// ".write.lock"), removed when let go; the project file itself is never locked.

#include <chrono>
#include <string>

#include "text/report.h"

namespace qs::flows {

// How long a writer waits for another one before it gives up.
inline constexpr std::chrono::seconds kProjectWriteWait{30};

std::string ProjectOpenLockPath(const std::string& projectFile);
std::string ProjectWriteLockPath(const std::string& projectFile);

// What a writer says when the write lock stayed held for kProjectWriteWait.
text::Report ProjectBusyReport(const std::string& projectFile);

}  // namespace qs::flows
