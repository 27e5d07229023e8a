#pragma once

// Process-wide settings that both programs make first thing in main().

namespace qs::platform {

// A file that would grow past the size limit of the process (ulimit -f) makes the write fail
// as on a full disk, so that the save reports it and keeps the old file, instead of the
// system ending the program on the spot without a word.
void PrepareProcess();

}  // namespace qs::platform
