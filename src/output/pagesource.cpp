#include "output/pagesource.h"

#include "output/helpfolder.h"
#include "output/pagenames.h"
#include "output/pagewriter.h"
#include "text/cp1252.h"
#include "text/paths.h"

namespace qs::output {
namespace {

bool SameByte(char a, char b, bool ignoreCase) {
  if (text::IsSeparator(a) && text::IsSeparator(b)) return true;
  return ignoreCase ? text::FoldCase1252(a) == text::FoldCase1252(b) : a == b;
}

// Whether `path` is the page file of the topic `name`: name + ".html", either separator
// standing for the other.
bool IsPageOf(std::string_view name, std::string_view path, bool ignoreCase) {
  if (path.size() != name.size() + kPageExtension.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (!SameByte(name[i], path[i], ignoreCase)) return false;
  }
  for (std::size_t i = 0; i < kPageExtension.size(); ++i) {
    if (!SameByte(kPageExtension[i], path[name.size() + i], ignoreCase)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> PageSource::Page(const project::HelpProject& project,
                                            const config::LanguageTable& captions,
                                            std::string_view path) {
  // A link of the pages names its page as the file is named, which for letters beyond ASCII
  // is not the topic's name itself: the browser hands it over read in the page's code page.
  std::string decoded;
  if (const auto name = TopicNameOfPage(path)) decoded = *name + std::string(kPageExtension);
  const bool alsoDecoded = !decoded.empty() && decoded != path;
  const auto& topics = project.topics();
  for (const std::string_view wanted : {path, std::string_view(decoded)}) {
    if (wanted.data() == decoded.data() && !alsoDecoded) break;
    for (const bool ignoreCase : {false, true}) {
      // The build writes Index.html first and then the topics in store order, so a later
      // topic of the same page file replaces an earlier one and the Index page itself.
      for (std::size_t pos = topics.size(); pos-- > 1;) {
        const project::Topic& topic = topics[pos];
        if (!IsPageOf(topic.name, wanted, ignoreCase)) continue;
        if (!PagePathInFolder({}, topic.name)) return std::nullopt;
        return TopicPageText(project, topic, captions, Linker(project), Code(project));
      }
      if (IsPageOf(project::kIndexName, wanted, ignoreCase)) {
        return IndexPageText(project, captions, Code(project));
      }
    }
  }
  return std::nullopt;
}

std::string PageSource::PageWith(const project::HelpProject& project,
                                 const config::LanguageTable& captions, std::size_t pos,
                                 const project::Topic& topic) {
  if (pos == 0) return IndexPageText(project, topic, captions, Code(project));
  return TopicPageText(project, topic, captions, Linker(project), Code(project));
}

std::optional<std::string> PageSource::PagePathOf(const project::HelpProject& project,
                                                  std::size_t pos) {
  if (pos == 0) return std::string(project::kIndexName) + std::string(kPageExtension);
  const std::string& name = project.TopicAt(pos).name;
  if (!PagePathInFolder({}, name)) return std::nullopt;
  std::string path = name;
  for (char& c : path) {
    if (text::IsSeparator(c)) c = '/';
  }
  return path + std::string(kPageExtension);
}

bool PageSource::SameNames(const project::HelpProject& project) const {
  std::size_t next = 0;
  for (const project::Topic& topic : project.topics()) {
    if (topic.name.empty() || !topic.IsPlain()) continue;
    if (next == names_.size() || names_[next] != topic.name) return false;
    ++next;
  }
  return next == names_.size();
}

const AutoLinker& PageSource::Linker(const project::HelpProject& project) {
  if (!linker_ || !SameNames(project)) {
    names_ = AutoLinkNames(project);
    linker_.emplace(names_);
    code_.reset();
  }
  return *linker_;
}

const ExampleCode* PageSource::Code(const project::HelpProject& project) {
  if (!examplesAsCode_) return nullptr;
  Linker(project);
  if (!code_) code_.emplace(names_);
  return &*code_;
}

}  // namespace qs::output
