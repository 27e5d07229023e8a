#include "output/helpfolder.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <vector>

#include "output/autolinker.h"
#include "output/outputfile.h"
#include "output/pagenames.h"
#include "output/pagewriter.h"
#include "platform/outputfolder.h"
#include "platform/regularfile.h"
#include "text/cp1252.h"
#include "text/log.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using project::HelpProject;
using project::Topic;

constexpr std::string_view kHelpProjectHead = "; QuillSmith help project";
constexpr std::string_view kContentsHead =
    "<HTML><HEAD><meta name=\"GENERATOR\" content=\"QuillSmith\"><!-- Sitemap 1.0 --></HEAD>";

void AppendEntry(std::string& out, std::string_view name) {
  AppendLine(out, "<LI> <OBJECT type=\"text/sitemap\">");
  out.append("<param name=\"name\" value=\"").append(name);
  AppendLine(out, "\">");
  out.append("<param name=\"Local\" value=\"").append(PageLink(name));
  AppendLine(out, "\">");
  AppendLine(out, "</OBJECT>");
}

// The name with every letter in lower case: the keyword index sorts by this first.
std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = text::FoldCase1252(c);
  return folded;
}

bool IsDrive(std::string_view part) {
  return part.size() >= 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

// A relative path that stays below its starting folder: no ".." part and no drive.
bool StaysBelow(std::string_view relative) {
  std::size_t start = 0;
  bool first = true;
  while (start <= relative.size()) {
    auto end = relative.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = relative.size();
    const auto part = relative.substr(start, end - start);
    if (part == "..") return false;
    if (first && IsDrive(part)) return false;
    first = false;
    start = end + 1;
  }
  return true;
}

bool HasSeparator(std::string_view text) {
  return text.find_first_of("/\\") != std::string_view::npos;
}

fs::path ResolvedFolder(const std::string& folder) {
  std::error_code error;
  std::string bare = folder;
  while (bare.size() > 1 && text::IsSeparator(bare.back())) bare.pop_back();
  auto resolved = fs::weakly_canonical(fs::path(bare.empty() ? "." : bare), error);
  if (error) return {};
  return resolved;
}

// Whether the folder holding `file`, with every link resolved, is `base` or below it.
bool ParentResolvesInside(const std::string& file, const fs::path& base) {
  if (base.empty()) return false;
  std::error_code error;
  const auto parent = fs::weakly_canonical(fs::path(file).parent_path(), error);
  if (error) return false;
  const auto [b, p] = std::mismatch(base.begin(), base.end(), parent.begin(), parent.end());
  // A trailing empty element of `base` (a root such as "/") matches anything.
  return b == base.end() || (std::next(b) == base.end() && b->empty());
}

// Writes one file of the build below the open folder and books it. False ends the build.
bool BuildFile(platform::OutputFolder& out, const std::string& folder, const std::string& relative,
               std::string_view bytes, BuildRecord& record, std::string& log,
               text::Reports& reports) {
  const std::string path = folder + relative;
  if (!WriteOutputFile(out, relative, path, bytes, reports)) return false;
  record.files.push_back(path);
  log.append(path).push_back('\n');
  return true;
}

// The relative path with both separators turned into the system's, as pages are written.
std::string NativeRelative(std::string_view relative) {
  std::string native;
  native.reserve(relative.size());
  for (const char c : relative) {
    native.push_back(text::IsSeparator(c) ? text::NativeSeparator() : c);
  }
  return native;
}

// The value of the option line `key` + "=" when `line` is one.
std::optional<std::string_view> OptionValue(std::string_view line, std::string_view key) {
  if (line.size() <= key.size() || !text::StartsWith(line, key) || line[key.size()] != '=') {
    return std::nullopt;
  }
  return line.substr(key.size() + 1);
}

// A file of the folder's top level with the given ending, as the contents and keyword index
// are written: a name before the ending, no separator.
bool IsTopLevelFile(std::string_view name, std::string_view ending) {
  return name.size() > ending.size() && text::EndsWith(name, ending) && !HasSeparator(name);
}

// The files an earlier build left in `target`: the record's, when it built into the same
// folder in this run, and those the help project file `projectFile` (below `target`) names,
// across runs. Relative to `target`, in the system's separators.
std::vector<std::string> EarlierBuildFiles(const BuildRecord& record, const std::string& target,
                                           const std::string& projectFile) {
  std::vector<std::string> earlier;
  if (record.folder == target) {
    for (const auto& file : record.files) {
      if (LiesInsideFolder(file, target)) earlier.push_back(file.substr(target.size()));
    }
  }
  // A link at the help project file's name is none of ours: its list is not read.
  std::error_code error;
  const auto status = fs::symlink_status(fs::path(target + projectFile), error);
  if (error || !fs::is_regular_file(status)) return earlier;
  std::string bytes;
  if (platform::ReadRegularFile(target + projectFile, platform::kProjectFileLimit, bytes) !=
      platform::ReadStatus::Read) {
    return earlier;
  }
  for (auto& file : FilesNamedInHelpProject(bytes)) earlier.push_back(std::move(file));
  return earlier;
}

// Says what erasing did at `path`: the file went, or what was there stayed, and why. Gives
// `removed`.
bool LoggedRemoval(const std::string& path, bool removed) {
  if (!text::outputLog.IsEnabled()) return removed;
  std::error_code error;
  const fs::file_status there = fs::symlink_status(fs::path(path), error);
  QS_LOG_INFO(text::outputLog) << (removed ? "erased '" : "kept '") << path << "'"
                               << (removed                      ? ""
                                   : fs::is_symlink(there)      ? ": a link"
                                   : !fs::exists(there)         ? ": gone"
                                   : fs::is_regular_file(there) ? ": could not be removed"
                                                                : ": no regular file");
  return removed;
}

// Removes the files of `earlier` that this build (the record) did not write, and the
// sub-folders they leave empty. A name that differs from a written one only in letter case is
// kept when both lead to one file, as on a file system that ignores case.
void RemoveStaleFiles(platform::OutputFolder& out, const std::string& target,
                      const std::vector<std::string>& earlier, const BuildRecord& record) {
  std::set<std::string> written;
  std::map<std::string, std::string> writtenFolded;
  for (const auto& file : record.files) {
    const std::string relative = file.substr(target.size());
    written.insert(relative);
    writtenFolded.emplace(FoldedName(relative), relative);
  }
  std::set<std::string> done;
  for (const auto& relative : earlier) {
    if (written.count(relative) != 0 || !done.insert(relative).second) continue;
    const auto same = writtenFolded.find(FoldedName(relative));
    if (same != writtenFolded.end()) {
      std::error_code error;
      const bool one =
          fs::equivalent(fs::path(target + relative), fs::path(target + same->second), error);
      if (one || error) continue;
    }
    // Reached from the open folder: a link at the name, or a sub-folder that is a link, stays.
    if (!LoggedRemoval(target + relative, out.RemoveFile(relative))) continue;
    std::string parent = text::FolderPart(relative);
    while (!parent.empty()) {
      while (!parent.empty() && text::IsSeparator(parent.back())) parent.pop_back();
      if (parent.empty() || !out.RemoveEmptyFolder(parent)) break;
      parent = text::FolderPart(parent);
    }
  }
}

}  // namespace

std::optional<std::string> PagePathInFolder(const std::string& folder, const std::string& name) {
  if (!StaysBelow(name)) return std::nullopt;
  std::string path = folder;
  for (const char c : PageFileName(name)) {
    path.push_back(text::IsSeparator(c) ? text::NativeSeparator() : c);
  }
  return path;
}

bool LiesInsideFolder(const std::string& path, const std::string& folder) {
  if (!folder.empty() && !text::IsSeparator(folder.back())) return false;
  if (!text::StartsWith(path, folder)) return false;
  const std::string_view relative = std::string_view(path).substr(folder.size());
  if (relative.empty()) return false;
  if (folder.empty() && text::IsSeparator(relative.front())) return false;
  if (!StaysBelow(relative)) return false;
  // Through a sub-folder, a link planted in the folder could lead elsewhere.
  if (HasSeparator(relative)) return ParentResolvesInside(path, ResolvedFolder(folder));
  return true;
}

std::vector<std::string> FilesNamedInHelpProject(std::string_view hhpText) {
  std::vector<std::string> files;
  bool first = true;
  bool inFiles = false;
  std::size_t start = 0;
  while (start < hhpText.size()) {
    auto end = hhpText.find('\n', start);
    if (end == std::string_view::npos) end = hhpText.size();
    std::string_view line = hhpText.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      // Only a help project file this program wrote names files that are its own.
      if (line != kHelpProjectHead) return {};
      first = false;
      continue;
    }
    if (!line.empty() && line.front() == '[') {
      inFiles = line == "[FILES]";
      continue;
    }
    if (!inFiles) {
      const auto contents = OptionValue(line, "Contents file");
      const auto index = OptionValue(line, "Index file");
      if (contents && IsTopLevelFile(*contents, ".hhc")) files.emplace_back(*contents);
      if (index && IsTopLevelFile(*index, ".hhk")) files.emplace_back(*index);
      continue;
    }
    // A page: its topic's name as written, with ".html"; the name's separators make
    // sub-folders, as they did when the page was written.
    if (line.size() > 5 && text::EndsWith(line, ".html") && StaysBelow(line)) {
      files.push_back(NativeRelative(line));
    }
  }
  return files;
}

std::string HelpProjectFileText(const HelpProject& project, const BuildOptions& options) {
  const std::string library = LibraryName(project);
  std::string out;
  AppendLine(out, kHelpProjectHead);
  AppendLine(out, "[OPTIONS]");
  AppendLine(out, "Compatibility=1.1 Or later");
  AppendLine(out, "Compiled file=" + library + ".chm");
  AppendLine(out, "Contents file=" + library + ".hhc");
  if (options.keywordIndex) AppendLine(out, "Index file=" + library + ".hhk");
  AppendLine(out, "Title=" + library + " library help");
  AppendLine(out, "Default topic=Index.html");
  AppendLine(out, "Default Window=MAIN");
  AppendLine(out, "Display compile progress=No");
  AppendLine(out, "Full-text search=Yes");
  AppendLine(out, "Language=0x40c");
  AppendLine(out, "[FILES]");
  for (const auto& item : project.items()) {
    const Topic* topic = project.FindTopic(item.text);
    if (topic == nullptr) continue;
    AppendLine(out, PageLink(topic->name));
  }
  return out;
}

std::string ContentsFileText(const HelpProject& project, const config::LanguageTable& captions) {
  std::string out;
  AppendLine(out, kContentsHead);
  AppendLine(out, "<BODY><OBJECT type=\"text/site properties\">");
  AppendLine(out, "<param name=\"Window Styles\" value=\"0x800025\">");
  AppendLine(out, "</OBJECT>");
  AppendLine(out, "<UL>");
  AppendLine(out, "<LI> <OBJECT type=\"text/sitemap\">");
  out.append("<param name=\"name\" value=\"").append(captions.functions);
  AppendLine(out, "\">");
  AppendLine(out, "<param name=\"Local\" value=\"Index.html\">");
  AppendLine(out, "</OBJECT>");
  AppendLine(out, "<UL>");

  // First pass: the book's children, each user index entry a sub-book of the plain topics
  // after it. The first user topic ends it.
  const auto& items = project.items();
  std::size_t row = 1;
  bool groupOpen = false;
  bool endedByUserTopic = false;
  for (; row < items.size(); ++row) {
    const Topic* topic = project.FindTopic(items[row].text);
    if (topic == nullptr) continue;
    if (topic->isUserTopic) {
      endedByUserTopic = true;
      break;
    }
    if (topic->isUserIndex) {
      if (groupOpen) AppendLine(out, "</UL>");
      AppendEntry(out, topic->name);
      AppendLine(out, "<UL>");
      groupOpen = true;
    } else {
      AppendEntry(out, topic->name);
    }
  }
  if (groupOpen) AppendLine(out, "</UL>");
  AppendLine(out, "</UL>");

  // Second pass: from the first user topic on, everything at top level.
  if (endedByUserTopic) {
    for (; row < items.size(); ++row) {
      const Topic* topic = project.FindTopic(items[row].text);
      if (topic != nullptr) AppendEntry(out, topic->name);
    }
  }
  AppendLine(out, "</UL></BODY></HTML>");
  return out;
}

std::string KeywordIndexText(const HelpProject& project) {
  // Every page but the Index page's Index.html, which the contents' book already opens; a
  // plain topic named "Index" further on would only lead to that same file.
  //
  // Sorted without regard to letter case, then by the bytes themselves, so that names which
  // differ only in case come upper case first and the order never depends on the store order.
  struct Keyword {
    std::string folded;
    std::string_view name;
    auto operator<=>(const Keyword&) const = default;
  };
  std::vector<Keyword> keywords;
  const auto& topics = project.topics();
  for (std::size_t pos = 1; pos < topics.size(); ++pos) {
    const Topic& topic = topics[pos];
    if (!topic.name.empty() && topic.Kind() != project::TopicKind::IndexPage) {
      keywords.push_back({FoldedName(topic.name), topic.name});
    }
  }
  std::sort(keywords.begin(), keywords.end());
  keywords.erase(std::unique(keywords.begin(), keywords.end()), keywords.end());

  std::string out;
  out.reserve(keywords.size() * 100 + 200);
  AppendLine(out, kContentsHead);
  AppendLine(out, "<BODY>");
  AppendLine(out, "<UL>");
  for (const auto& keyword : keywords) AppendEntry(out, keyword.name);
  AppendLine(out, "</UL></BODY></HTML>");
  return out;
}

std::string BuildHelpFolder(const HelpProject& project, const config::LanguageTable& captions,
                            const std::string& folder, BuildRecord& record, text::Reports& reports,
                            const BuildOptions& options) {
  const std::string target = text::WithTrailingSeparator(folder);
  const std::string library = LibraryName(project);
  // Read before this build overwrites the help project file and empties the record.
  const std::vector<std::string> earlier = EarlierBuildFiles(record, target, library + ".hhp");
  record.folder = target;
  record.files.clear();
  std::string log;

  std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be made
  if (!target.empty()) fs::create_directories(fs::path(target), ignored);
  // Every file is written from this one open folder, so a folder below it that another
  // process swaps for a link can never lead a page elsewhere.
  platform::OutputFolder out;
  out.Open(target);
  std::optional<ExampleCode> examples;
  if (options.examplesAsCode) examples.emplace(project);
  const ExampleCode* code = examples ? &*examples : nullptr;

  if (!BuildFile(out, target, library + ".hhp", HelpProjectFileText(project, options), record, log,
                 reports) ||
      !BuildFile(out, target, library + ".hhc", ContentsFileText(project, captions), record, log,
                 reports) ||
      (options.keywordIndex && !BuildFile(out, target, library + ".hhk", KeywordIndexText(project),
                                          record, log, reports)) ||
      !BuildFile(out, target, "Index.html", IndexPageText(project, captions, code), record, log,
                 reports)) {
    return {};
  }

  const AutoLinker linker(project);
  const auto& topics = project.topics();
  for (std::size_t pos = 1; pos < topics.size(); ++pos) {
    const Topic& topic = topics[pos];
    const auto relative = PagePathInFolder({}, topic.name);
    if (!relative) {
      reports.push_back(text::CouldNotCreateFileReport(target + topic.name + ".html"));
      return {};
    }
    if (!BuildFile(out, target, *relative, TopicPageText(project, topic, captions, linker, code),
                   record, log, reports)) {
      return {};
    }
  }
  // Pages of topics since deleted or renamed would otherwise stay in the folder, and the
  // compiler would take in those that a page still links to.
  RemoveStaleFiles(out, target, earlier, record);
  return log;
}

void EraseBuildFiles(const BuildRecord& record) {
  platform::OutputFolder folder;
  bool opened = false;
  for (const auto& file : record.files) {
    if (!LiesInsideFolder(file, record.folder)) {
      QS_LOG_WARNING(text::outputLog) << "kept '" << file << "': outside '" << record.folder << "'";
      continue;
    }
    if (!opened) {
      if (!folder.Open(record.folder)) {
        text::LoggedFailure(text::outputLog, "nothing erased: cannot open", record.folder);
        return;
      }
      opened = true;
    }
    // Only the regular file the build wrote goes; whatever has taken its place stays.
    LoggedRemoval(file, folder.RemoveFile(std::string_view(file).substr(record.folder.size())));
  }
}

}  // namespace qs::output
