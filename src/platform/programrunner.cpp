#include "platform/programrunner.h"

#include "text/paths.h"
#include "text/textops.h"

namespace qs::platform {

std::string ProgramRunner::ShownText(std::string_view output) const {
  if (copy_.empty()) return std::string(output);
  const std::string copy = text::WithTrailingSeparator(copy_);
  const std::string shown = text::WithTrailingSeparator(shown_);
  const std::string folders = text::ReplaceAll(output, copy, shown);
  // "... in /tmp/copy" as well as "/tmp/copy/page.html".
  return text::ReplaceAll(folders, std::string_view(copy).substr(0, copy.size() - 1),
                          std::string_view(shown).substr(0, shown.size() - 1));
}

}  // namespace qs::platform
