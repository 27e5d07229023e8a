#include "output/outputfile.h"

#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {

bool WriteOutputFile(platform::OutputFolder& folder, std::string_view relative,
                     const std::string& path, std::string_view bytes, text::Reports& reports) {
  if (folder.IsOpen() && folder.Write(relative, bytes)) return true;
  reports.push_back(text::CouldNotCreateFileReport(path));
  return false;
}

bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports) {
  const std::string name = text::FileNamePart(path);
  platform::OutputFolder folder;
  if (!name.empty()) folder.Open(text::FolderPart(path));
  return WriteOutputFile(folder, name, path, bytes, reports);
}

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(text::kCrLf);
}

}  // namespace qs::output
