#include "output/pagenames.h"

#include <vector>

#include "platform/filenames.h"
#include "platform/outputfolder.h"
#include "text/textops.h"

namespace qs::output {

std::string PageFileName(std::string_view name) {
  return platform::FileNameFromText(name) + std::string(kPageExtension);
}

std::string PageLink(std::string_view name) {
  return PageFileName(name);
}

std::string WayToHelpFolder(std::string_view topicName) {
  std::string way;
  std::vector<std::string_view> parts;
  if (platform::OutputFolder::SplitParts(PageFileName(topicName), parts)) {
    for (std::size_t i = 1; i < parts.size(); ++i) way += "../";
  }
  return way;
}

std::string LinkStartTag(std::string_view address) {
  std::string tag;
  AppendLinkStartTag(tag, address);
  return tag;
}

void AppendLinkStartTag(std::string& out, std::string_view address) {
  out.append("<a href=\"").append(address).append("\">");
}

std::optional<std::string> TopicNameOfPage(std::string_view page) {
  if (!text::EndsWith(page, kPageExtension)) return std::nullopt;
  return platform::TextFromFileName(page.substr(0, page.size() - kPageExtension.size()));
}

}  // namespace qs::output
