#include "output/pagenames.h"

#include "platform/filenames.h"
#include "text/textops.h"

namespace qs::output {

std::string PageFileName(std::string_view name) {
  return platform::FileNameFromText(name) + std::string(kPageExtension);
}

std::string PageLink(std::string_view name) {
  return PageFileName(name);
}

std::optional<std::string> TopicNameOfPage(std::string_view page) {
  if (!text::EndsWith(page, kPageExtension)) return std::nullopt;
  return platform::TextFromFileName(page.substr(0, page.size() - kPageExtension.size()));
}

}  // namespace qs::output
