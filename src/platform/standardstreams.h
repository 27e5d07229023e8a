#pragma once

// Standard output and standard error as byte streams.

namespace qs::platform {

// Makes standard output and standard error carry bytes exactly as written. On Windows the C
// runtime otherwise turns every line feed into CR LF, and what quillsmith-cli prints (function
// lists, paths) would differ from system to system. Call it before anything is printed.
void UseBinaryStandardStreams();

}  // namespace qs::platform
