#include "check/pagecheck.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "check/markupcheck.h"
#include "output/pagenames.h"
#include "text/textops.h"

namespace qs::check {
namespace {

using project::Topic;
using project::TopicKind;

// A link that leaves the help ("http:", "mailto:", "ms-its:"): a scheme of two letters or
// more, so that a drive ("C:") is no scheme.
bool HasScheme(std::string_view target) {
  const auto colon = target.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(target[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return std::isalpha(static_cast<unsigned char>(target[0])) != 0;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%20" and the like as the characters they stand for.
std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// The file a link or picture names inside the help folder, in lower case: without its
// fragment or query, "/" between folders, without a leading "./", taken from `pageFolder`
// (where the page lies below the help folder: "" or "notes/"), whose folders each leading
// "../" leaves. Empty for a link within the page.
std::string LocalTarget(std::string_view target, std::string_view pageFolder = {}) {
  std::string path(text::TrimBlanks(target));
  const auto cut = path.find_first_of("#?");
  if (cut != std::string::npos) path.erase(cut);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  while (path.starts_with("./")) path.erase(0, 2);
  if (path.empty()) return path;
  std::string folder(pageFolder);
  while (!folder.empty() && path.starts_with("../")) {
    path.erase(0, 3);
    folder.erase(folder.find_last_of('/', folder.size() - 2) + 1);
  }
  return text::AsciiLower(folder + path);
}

// The folder of the topic's page below the help folder, "/" between folders and after them.
std::string PageFolder(std::string_view topicName) {
  std::string folder = output::PageFileName(topicName);
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
  const auto last = folder.find_last_of('/');
  folder.erase(last == std::string::npos ? 0 : last + 1);
  while (folder.starts_with("/")) folder.erase(0, 1);
  return folder;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text::EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

PageChecker::PageChecker(const project::HelpProject& project,
                         const std::vector<std::string>& folderFiles, bool examplesAreCode)
    : examplesAreCode_(examplesAreCode) {
  pages_.reserve(project.TopicCount());
  for (const Topic& topic : project.topics()) {
    pages_.insert(text::AsciiLower(output::PageLink(topic.name)));
  }
  files_.reserve(folderFiles.size());
  for (const std::string& file : folderFiles) files_.insert(LocalTarget(file));
}

std::string PageChecker::FieldName(TopicKind kind, Field field) {
  switch (field) {
    case Field::Title:
      return "Title";
    case Field::Summary:
      return kind == TopicKind::FunctionPage ? "Syntax" : "Overview";
    case Field::Body:
      return kind == TopicKind::UserTopic ? "User text" : "Description";
    case Field::Example:
      break;
  }
  return "Example";
}

bool PageChecker::IsPage(std::string_view target) const {
  return pages_.contains(std::string(target)) || pages_.contains(PercentDecoded(target));
}

bool PageChecker::IsFolderFile(std::string_view target) const {
  return files_.contains(std::string(target)) || files_.contains(PercentDecoded(target));
}

void PageChecker::CheckField(const Topic& topic, Field field, std::string_view text,
                             std::vector<Problem>& problems, bool& linksToPages) const {
  const TopicKind kind = topic.Kind();
  const FieldForm form = field == Field::Example ? FieldForm::Example : FieldForm::Text;
  const FieldMarkup markup = ReadFieldMarkup(text, form, examplesAreCode_);
  std::vector<Problem> found;
  auto add = [&](int line, std::string message) {
    found.push_back({topic.name, field, FieldName(kind, field), line, std::move(message)});
  };
  for (const Finding& finding : markup.findings) add(finding.line, finding.message);
  // A page in a sub-folder names the others from there, as the browser and the compiler read it.
  const std::string folder = PageFolder(topic.name);
  for (const Reference& link : markup.links) {
    if (HasScheme(link.target)) continue;
    const std::string target = LocalTarget(link.target, folder);
    if (target.empty() || IsFolderFile(target)) continue;
    if (EndsWithNoCase(target, ".html") || EndsWithNoCase(target, ".htm")) {
      linksToPages = true;
      if (!IsPage(target)) {
        add(link.line, "link to '" + link.target + "': the project has no such page");
      }
    } else {
      add(link.line, "link to '" + link.target + "': the help folder has no such file");
    }
  }
  for (const Reference& picture : markup.pictures) {
    if (HasScheme(picture.target)) continue;
    const std::string target = LocalTarget(picture.target, folder);
    if (target.empty()) {
      add(picture.line, "a picture without a file name");
    } else if (!IsFolderFile(target)) {
      add(picture.line, "picture '" + picture.target + "' is not in the help folder");
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  problems.insert(problems.end(), std::make_move_iterator(found.begin()),
                  std::make_move_iterator(found.end()));
}

std::vector<Problem> PageChecker::Check(const Topic& topic, std::string_view body,
                                        bool* linksToPages) const {
  std::vector<Problem> problems;
  bool links = false;
  const TopicKind kind = topic.Kind();
  if (text::TrimBlanks(topic.title).empty()) {
    problems.push_back(
        {topic.name, Field::Title, FieldName(kind, Field::Title), 1, "the page has no title"});
  } else {
    CheckField(topic, Field::Title, topic.title, problems, links);
  }
  // The fields each kind of page shows; the others the page leaves out.
  switch (kind) {
    case TopicKind::IndexPage:
    case TopicKind::UserIndexEntry:
      CheckField(topic, Field::Summary, topic.summary, problems, links);
      CheckField(topic, Field::Example, topic.example, problems, links);
      break;
    case TopicKind::FunctionPage:
      CheckField(topic, Field::Body, body, problems, links);
      CheckField(topic, Field::Example, topic.example, problems, links);
      break;
    case TopicKind::UserTopic:
      CheckField(topic, Field::Body, body, problems, links);
      break;
  }
  if (linksToPages != nullptr) *linksToPages = links;
  return problems;
}

}  // namespace qs::check
