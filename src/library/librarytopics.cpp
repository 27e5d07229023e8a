#include "library/librarytopics.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "library/libraryreader.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::library {
namespace {

using project::HelpProject;
using project::Topic;
using project::TopicIcon;

constexpr std::string_view kLibrarySummary = "This is a purebasic user library.";

std::string IndexTitle(std::string_view fileName) {
  return std::string(fileName) + " library";
}

std::string SyntaxLine(const LibraryFunction& function) {
  return function.name + function.parameters;
}

// The texts a function page takes from the library when it is (re)built.
void RefreshFunctionPage(Topic& topic, const LibraryFunction& function) {
  if (topic.title.empty()) topic.title = function.name + "()";
  topic.name = function.name;
  topic.parameters = function.parameters;
  topic.summary = SyntaxLine(function);
  if (topic.body.empty()) topic.body = function.help;
  topic.refreshed = true;
  topic.icon = TopicIcon::PageIcon;
}

// The pages every project has besides the function pages: a function of the same name would
// overwrite its file, or be taken for it. Compared without regard to letter case, as the
// compiled help file and the file systems of Windows and macOS compare page names: "index"
// would overwrite Index.html there, and catch every page's link back to the index.
constexpr std::string_view kFixedPages[] = {project::kIndexName, kLicenseName};

// Bytes that would break the files a page name goes into: the quote ends the attribute that
// links to the page, "<", ">" and "&" are markup in the contents and the pages, the slashes
// make folders of the name, and a TAB or a line end splits the project file's and the list's
// lines.
constexpr std::string_view kUnsafeNameBytes = "\"<>&/\\\t\r\n";

text::Report NameWarning(std::string message) {
  return {"WARNING", std::move(message), text::ReportIcon::Exclamation};
}

// A byte as a one-line message shows it.
std::string Shown(char byte) {
  switch (byte) {
    case '\t':
      return "\\t";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    default:
      return std::string(1, byte);
  }
}

std::string Shown(std::string_view name) {
  std::string shown;
  for (const char byte : name) shown += Shown(byte);
  return shown;
}

// Names that Windows keeps for its devices, whatever the extension: a page "CON.html" can be
// neither written nor opened there.
bool IsWindowsDeviceName(std::string_view name) {
  const std::string lower = text::AsciiLower(name);
  if (lower == "con" || lower == "nul" || lower == "aux" || lower == "prn") return true;
  return lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) &&
         lower[3] >= '1' && lower[3] <= '9';
}

// Why a function gets no page, or nothing when it gets one.
std::optional<text::Report> SkipReason(const LibraryFunction& function,
                                       const std::unordered_set<std::string_view>& taken) {
  const auto unsafe = function.name.find_first_of(kUnsafeNameBytes);
  if (unsafe != std::string::npos) {
    return NameWarning("Function '" + Shown(function.name) +
                       "' skipped: a page name cannot hold '" + Shown(function.name[unsafe]) +
                       "'!");
  }
  for (const std::string_view fixed : kFixedPages) {
    if (text::EqualsNoCase(function.name, fixed)) {
      return NameWarning("Function '" + function.name + "' skipped: its page would replace the " +
                         std::string(fixed) + " page!");
    }
  }
  if (taken.contains(function.name)) {
    // Only the first function of a name gets the page; the second's own help stays in the
    // message, so that no text of the library is dropped unseen.
    std::string message =
        "Function '" + function.name + "' skipped: a function of the same name comes first!";
    if (!function.parameters.empty() || !function.help.empty()) {
      message += " Its own help: " + SyntaxLine(function);
      if (!function.help.empty()) message += " - " + function.help;
    }
    return NameWarning(std::move(message));
  }
  return std::nullopt;
}

}  // namespace

void CheckFunctionNames(LibraryInfo& info, text::Reports& reports) {
  LibraryInfo kept;
  kept.reserve(info.size());  // never grows past this, so views into its names stay valid
  std::unordered_set<std::string_view> taken;
  std::unordered_map<std::string, std::string_view> byFoldedName;  // the first of each
  for (auto& function : info) {
    if (auto reason = SkipReason(function, taken)) {
      reports.push_back(std::move(*reason));
      continue;
    }
    const std::string_view name = kept.emplace_back(std::move(function)).name;
    taken.insert(name);
    const auto [first, isFirst] = byFoldedName.try_emplace(text::AsciiLower(name), name);
    if (!isFirst) {
      reports.push_back(NameWarning("Function '" + std::string(name) + "' differs from '" +
                                    std::string(first->second) +
                                    "' only in letter case: their pages collide in a compiled "
                                    "help file and on Windows!"));
    }
    if (IsWindowsDeviceName(name)) {
      reports.push_back(NameWarning("Function '" + std::string(name) +
                                    "' is a device name on Windows: its page cannot be written "
                                    "or opened there!"));
    }
  }
  info = std::move(kept);
}

void BuildFreshTopics(HelpProject& project, std::string_view fileName, const LibraryInfo& info) {
  std::vector<Topic> topics;
  topics.reserve(info.size() + 2);

  Topic index;
  index.name = std::string(project::kIndexName);
  index.title = IndexTitle(fileName);
  index.summary = std::string(kLibrarySummary);
  index.icon = TopicIcon::IndexIcon;
  topics.push_back(std::move(index));

  for (const auto& function : info) {
    Topic page;
    page.title = function.name + "()";
    page.name = function.name;
    page.parameters = function.parameters;
    page.summary = SyntaxLine(function);
    page.body = function.help;
    page.icon = TopicIcon::PageIcon;
    topics.push_back(std::move(page));
  }

  Topic license;
  license.name = std::string(kLicenseName);
  license.title = std::string(fileName) + " library license";
  license.isUserTopic = true;
  license.icon = TopicIcon::PageIcon;
  license.body = std::string(kLicenseText);
  topics.push_back(std::move(license));

  project.SetTopics(std::move(topics));
  project.SetShownTopic(std::string(project::kIndexName));
}

void MergeLibraryTopics(HelpProject& project, std::string_view fileName, const LibraryInfo& info) {
  const std::size_t count = project.TopicCount();
  for (std::size_t pos = 0; pos < count; ++pos) project.TopicAt(pos).refreshed = false;

  const std::size_t indexPos = project.FindTopicPos(project::kIndexName);
  if (indexPos != std::string::npos) {
    Topic& index = project.TopicAt(indexPos);
    index.refreshed = true;
    index.icon = TopicIcon::IndexIcon;
    if (index.title.empty()) index.title = IndexTitle(fileName);
    if (index.summary.empty()) index.summary = std::string(kLibrarySummary);
  }

  // Pages for functions the project does not have yet. They are collected aside and placed in
  // one pass below, instead of shifting the store once per page.
  std::vector<Topic> added;
  std::unordered_set<std::string_view> addedNames;  // views into `info`, which outlives this
  for (const auto& function : info) {
    Topic* topic = project.FindTopic(function.name);
    if (topic == nullptr) {
      // A second library entry of a new name would find the page just made, already refreshed.
      if (!addedNames.insert(function.name).second) continue;
      topic = &added.emplace_back();
    }
    if (!topic->refreshed) RefreshFunctionPage(*topic, function);
  }

  // New pages go before the first stored user topic, or at the end when there is none; the
  // Index page stays ahead of them even in a project whose store puts a user topic first.
  std::size_t insertAt = count;
  for (std::size_t pos = 0; pos < count; ++pos) {
    if (project.TopicAt(pos).isUserTopic) {
      insertAt = pos;
      break;
    }
  }
  if (indexPos != std::string::npos && insertAt <= indexPos) insertAt = indexPos + 1;

  // Function pages whose function is gone are dropped; user topics and user index entries
  // always stay.
  std::vector<Topic> merged;
  merged.reserve(count + added.size());
  const auto keepFrom = [&](std::size_t begin, std::size_t end) {
    for (std::size_t pos = begin; pos < end; ++pos) {
      Topic& topic = project.TopicAt(pos);
      if (topic.refreshed || !topic.IsPlain()) merged.push_back(std::move(topic));
    }
  };
  keepFrom(0, insertAt);
  for (auto& topic : added) merged.push_back(std::move(topic));
  keepFrom(insertAt, count);
  project.SetTopics(std::move(merged));
}

bool MergesInto(const HelpProject& project, bool keepExistingData) {
  return keepExistingData && project.TopicCount() > 0;
}

bool BuildTopicsFromLibrary(HelpProject& project, const std::string& path, bool keepExistingData,
                            LibraryInfo& info, text::Reports& reports) {
  if (!ReadUserLibrary(path, info, reports)) return false;
  CheckFunctionNames(info, reports);
  if (info.empty()) {
    reports.push_back(text::ErrorReport("No functions found in library '" + path + "'!"));
    return false;
  }
  project.modified = true;
  const auto fileName = text::FileNamePart(path);
  if (MergesInto(project, keepExistingData)) {
    MergeLibraryTopics(project, fileName, info);
  } else {
    BuildFreshTopics(project, fileName, info);
  }
  return true;
}

void KeepRowsAfterMerge(HelpProject& project) {
  const auto& rows = project.items();
  if (rows.empty()) {
    project.RefillItemsFromStore();
    return;
  }
  std::vector<project::ListItem> kept;
  kept.reserve(project.TopicCount());
  // Store positions whose name a row shows: every topic of that name counts as shown.
  std::vector<char> shown(project.TopicCount(), 0);
  std::size_t insertAt = std::string::npos;
  for (const auto& row : rows) {
    const auto positions = project.TopicPositions(row.text);
    if (positions.empty()) continue;  // a function the library no longer has
    // Rows of one name mark its topics once: again for every row would take time in the square
    // of their number.
    if (shown[positions.front()] == 0) {
      for (const auto pos : positions) shown[pos] = 1;
    }
    const Topic& topic = project.TopicAt(positions.front());
    if (insertAt == std::string::npos && topic.isUserTopic) insertAt = kept.size();
    kept.push_back({row.text, topic.icon});
  }
  if (insertAt == std::string::npos) insertAt = kept.size();
  if (insertAt == 0 && !kept.empty() && kept.front().text == project::kIndexName) insertAt = 1;

  std::vector<project::ListItem> added;
  for (std::size_t pos = 0; pos < shown.size(); ++pos) {
    if (shown[pos] == 0) added.push_back({project.TopicAt(pos).name, project.TopicAt(pos).icon});
  }
  kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(insertAt),
              std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
  project.SetItems(std::move(kept));
}

bool ExtractLibraryInfo(HelpProject& project, bool keepExistingData, LibraryInfo& info,
                        text::Reports& reports) {
  if (project.libraryFile.empty()) return false;
  const bool merging = MergesInto(project, keepExistingData);
  std::string previous = project.shownTopic();
  project.SetShownTopic({});
  if (!BuildTopicsFromLibrary(project, project.libraryFile, keepExistingData, info, reports)) {
    project.SetShownTopic(std::move(previous));
    return false;
  }
  if (merging) {
    KeepRowsAfterMerge(project);
  } else {
    project.RefillItemsFromStore();
  }
  // Lists a project file held give way to the ones the rows give.
  project.RemakeLists();
  project.SelectRow(0);
  return true;
}

}  // namespace qs::library
