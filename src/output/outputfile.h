#pragma once

#include <string>
#include <string_view>

#include "platform/outputfolder.h"
#include "text/report.h"

namespace qs::output {

// Writes `bytes` as the file `relative` below the open `folder` (see platform::OutputFolder:
// never through a link, a pipe or a device, never outside the folder). `path` is the file's
// full path, for the report. When the file cannot be created, or its bytes cannot all be
// written (a full disk), it reports "Could not create file '" + path + "'!" (title "Error")
// and returns false: a page that was cut short must not count as written, and is removed.
bool WriteOutputFile(platform::OutputFolder& folder, std::string_view relative,
                     const std::string& path, std::string_view bytes, text::Reports& reports);

// The same for a single file: its folder (the path up to its last separator) is opened.
bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports);

// Appends `line` and CR LF.
void AppendLine(std::string& out, std::string_view line);

}  // namespace qs::output
