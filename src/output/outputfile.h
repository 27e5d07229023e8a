#pragma once

#include <string>
#include <string_view>

#include "text/report.h"

namespace qs::output {

// Creates the file at `path` anew (an existing file or link of that name is removed first,
// never written through) and writes `bytes`. When the file cannot be created, or its bytes
// cannot all be written (a full disk), it reports "Could not create file '" + path + "'!"
// (title "Error") and returns false: a page that was cut short must not count as written,
// and is removed.
bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports);

// Appends `line` and CR LF.
void AppendLine(std::string& out, std::string_view line);

}  // namespace qs::output
