#include "project/projectfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/atomicfile.h"
#include "platform/filesystem.h"
#include "platform/regularfile.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::project {

namespace {

constexpr std::string_view kEndOfTextLine{&kEndOfTextMark, 1};
// Every byte that ends a line on load.
constexpr std::string_view kLineEndBytes{"\r\n\0", 3};

// ---------------------------------------------------------------- saving

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(text::kCrLf);
}

// Hands the bytes on in blocks of about this size: a project is never held twice in memory
// (its topics and its whole file), which for a large one would double what a save needs.
constexpr std::size_t kWriteBlock = std::size_t{1} << 20;

// Writes the file's bytes through `write` (false: stop), block by block.
bool WriteProjectFile(const HelpProject& project,
                      const std::function<bool(std::string_view)>& write) {
  std::string out;
  out.reserve(kWriteBlock + kWriteBlock / 4);
  const auto flushIfFull = [&] {
    if (out.size() < kWriteBlock) return true;
    const bool written = write(out);
    out.clear();
    return written;
  };
  // A text is its own bytes followed by CR LF, so its inner CR LF pairs become line ends; an
  // empty text writes nothing; the end-of-text line follows either way. A text of a block or
  // more goes on by itself rather than through a copy in `out`.
  const auto appendText = [&](const std::string& value) {
    if (value.size() >= kWriteBlock) {
      if (!out.empty() && !write(out)) return false;
      out.clear();
      if (!write(value)) return false;
      out.append(text::kCrLf);
    } else if (!value.empty()) {
      AppendLine(out, value);
    }
    AppendLine(out, kEndOfTextLine);
    return flushIfFull();
  };
  AppendLine(out, kProjectHeader);
  AppendLine(out, project.projectFile);
  AppendLine(out, project.libraryFile);
  AppendLine(out, project.helpFolder);
  if (project.TopicCount() > 0) {
    for (const ListItem& item : project.items()) {
      const std::size_t pos = project.FindTopicPos(item.text);
      if (pos == std::string::npos) continue;
      const Topic* topic = &project.TopicAt(pos);
      out.append(topic->name);
      if (topic->isUserTopic) {
        out.push_back(kUserTopicMark);
      } else if (topic->isUserIndex) {
        out.push_back(kUserIndexMark);
      }
      out.append(text::kCrLf);
      AppendLine(out, topic->parameters);
      AppendLine(out, topic->title);
      if (!appendText(topic->summary) || !appendText(project.Body(pos)) ||
          !appendText(topic->example)) {
        return false;
      }
    }
  }
  return out.empty() || write(out);
}

// Every byte that ends a line on load: a one-line field holding one would come back split,
// and every line after it shifted.
bool HoldsLineEnd(std::string_view value) {
  return value.find_first_of(kLineEndBytes) != std::string_view::npos;
}

// The value as a message shows it: line ends written out, so the message stays one line.
std::string Shown(std::string_view value) {
  std::string shown;
  for (const char c : value) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\0') {
      shown += "\\0";
    } else {
      shown.push_back(c);
    }
  }
  return shown;
}

text::Report CannotSave(std::string_view what) {
  return text::ErrorReport(LineBreakMessage(what));
}

// The first one-line field that the file cannot hold: the three paths, and the name, the
// parameters and the title of every topic that is written. The file has no way to escape a
// line end and its format stays as it is, so such a project is refused before anything is
// written, with a message that says what to change.
std::optional<text::Report> OneLineFieldProblem(const HelpProject& project) {
  const std::pair<std::string_view, const std::string*> paths[] = {
      {"the project path", &project.projectFile},
      {"the library path", &project.libraryFile},
      {"the help folder", &project.helpFolder}};
  for (const auto& [what, value] : paths) {
    if (HoldsLineEnd(*value)) return CannotSave(std::string(what) + " '" + Shown(*value) + "'");
  }
  if (project.TopicCount() == 0) return std::nullopt;
  for (const ListItem& item : project.items()) {
    const Topic* topic = project.FindTopic(item.text);
    if (topic == nullptr) continue;
    const std::string page = " of the page '" + Shown(topic->name) + "'";
    if (HoldsLineEnd(topic->name)) return CannotSave("the name" + page);
    if (HoldsLineEnd(topic->parameters)) return CannotSave("the parameter list" + page);
    if (HoldsLineEnd(topic->title)) return CannotSave("the title" + page);
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- loading

// The number of lines in `data` that consist of the end-of-text byte alone: each record has
// three. Counting them first lets the topics be made in one block of the right size; growing
// it instead keeps the old and the new block alive at once, up to three times the topics.
std::size_t CountEndOfTextLines(std::string_view data) {
  std::size_t count = 0;
  const char* const begin = data.data();
  const char* const end = begin + data.size();
  const auto isLineEnd = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };
  for (const char* p = begin; p < end;) {
    const void* found = std::memchr(p, static_cast<unsigned char>(kEndOfTextMark),
                                    static_cast<std::size_t>(end - p));
    if (found == nullptr) break;
    const char* mark = static_cast<const char*>(found);
    if ((mark == begin || isLineEnd(mark[-1])) && (mark + 1 == end || isLineEnd(mark[1]))) {
      ++count;
    }
    p = mark + 1;
  }
  return count;
}

struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last byte of the line, before its line end
  bool endedByCrLf = false;
};

// Lines of the loaded bytes: each ends at CR LF, a lone LF, a lone CR or a zero byte, or at
// the end of the data. Reading at the end gives empty lines and never moves past it.
class LineReader {
 public:
  explicit LineReader(std::string_view data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Position() const { return pos_; }

  // Nothing but line ends remain: blank lines after the last record.
  bool OnlyLineEndsRemain() const {
    return AtEnd() || data_.find_first_not_of(kLineEndBytes, pos_) == std::string_view::npos;
  }

  Line Next() {
    Line line;
    line.begin = pos_;
    const std::size_t size = data_.size();
    std::size_t i = SkipToControlByte(pos_);
    while (i < size) {
      const char c = data_[i];
      if (c == '\r' || c == '\n' || c == '\0') break;
      i = SkipToControlByte(i + 1);
    }
    line.end = i;
    if (i < size) {
      if (data_[i] == '\r' && i + 1 < size && data_[i + 1] == '\n') {
        line.endedByCrLf = true;
        i += 2;
      } else {
        i += 1;
      }
    }
    pos_ = i;
    return line;
  }

  std::string_view Text(const Line& line) const {
    return data_.substr(line.begin, line.end - line.begin);
  }

  std::string ReadString() {
    const Line line = Next();
    return std::string(Text(line));
  }

 private:
  // The first position at or after `i` whose byte is below 14, the range of every line end,
  // or the size. Eight bytes are tested at once: lines are long and line ends rare.
  std::size_t SkipToControlByte(std::size_t i) const {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    const std::size_t size = data_.size();
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, data_.data() + i, sizeof word);
      // A byte below 14 sets its high bit here; bytes of 0x80 and above never do.
      if (((word - kOnes * 14) & ~word & kHighBits) != 0) break;
      i += 8;
    }
    while (i < size && static_cast<unsigned char>(data_[i]) >= 14) ++i;
    return i;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

// Reads the lines of one text up to its end-of-text line and joins them with CR LF. Lines
// that were already separated by CR LF in the file are copied as one block. Returns false
// when the data ended before the end-of-text line; `out` then holds the lines that were read.
bool ReadText(LineReader& in, std::string_view data, std::string& out) {
  out.clear();
  bool any = false;
  bool joined = false;  // `out` is being built line by line
  bool previousCrLf = false;
  std::size_t blockBegin = 0;
  std::size_t blockEnd = 0;
  bool closed = false;
  while (!in.AtEnd()) {
    const Line line = in.Next();
    const std::string_view lineText = in.Text(line);
    if (lineText == kEndOfTextLine) {
      closed = true;
      break;
    }
    if (!any) {
      any = true;
      blockBegin = line.begin;
      blockEnd = line.end;
    } else if (!joined && previousCrLf) {
      blockEnd = line.end;
    } else {
      if (!joined) {
        out.assign(data.substr(blockBegin, blockEnd - blockBegin));
        joined = true;
      }
      out.append(text::kCrLf);
      out.append(lineText);
    }
    previousCrLf = line.endedByCrLf;
  }
  if (any && !joined) out.assign(data.substr(blockBegin, blockEnd - blockBegin));
  return closed;
}

Topic TopicFromNameLine(std::string name) {
  Topic topic;
  if (!name.empty() && name.back() == kUserTopicMark) {
    name.pop_back();
    topic.isUserTopic = true;
  } else if (!name.empty() && name.back() == kUserIndexMark) {
    name.pop_back();
    topic.isUserIndex = true;
  }
  topic.name = std::move(name);
  topic.icon = IconFor(topic.Kind());
  return topic;
}

// Offers the library of the same name from the current installation when the saved one is
// gone. Without a known installation there is no place to look.
void RelocateLibrary(HelpProject& project, const LoadContext& context) {
  if (!context.askReplaceLibrary || context.purebasicFolder.empty()) return;
  if (platform::IsNonEmptyFile(project.libraryFile)) return;
  const char sep = text::NativeSeparator();
  std::string candidate = context.purebasicFolder;
  candidate += "PureLibraries";
  candidate += sep;
  candidate += "UserLibraries";
  candidate += sep;
  candidate += text::FileNamePart(project.libraryFile);
  if (!platform::IsNonEmptyFile(candidate)) return;
  const text::Report question{"WARNING",
                              "The library could not be found !\n" + project.libraryFile +
                                  "\n\nDo you want to replace it with the following ?\n" +
                                  candidate,
                              text::ReportIcon::Exclamation};
  if (!context.askReplaceLibrary(question)) return;
  project.libraryFile = std::move(candidate);
  project.modified = true;
}

}  // namespace

std::string LineBreakMessage(std::string_view what) {
  return "Could not save the project: " + std::string(what) + " holds a line break!";
}

std::string TooManyPagesToSaveMessage() {
  return "Could not save the project: it has more than " + std::to_string(kProjectPageLimit) +
         " pages!";
}

std::string TooLargeMessage(const std::string& path) {
  return "The file '" + path + "' is too large for a project (more than " +
         std::to_string(platform::kProjectFileLimit >> 20) + " MB)!";
}

std::string TooManyPagesMessage(const std::string& path) {
  return "The file '" + path + "' holds too many pages for a project (more than " +
         std::to_string(kProjectPageLimit) + ")!";
}

bool SaveProject(HelpProject& project, const std::string& path, text::Reports& reports,
                 const platform::WriteOptions& options) {
  if (auto problem = OneLineFieldProblem(project)) {
    reports.push_back(std::move(*problem));
    return false;
  }
  if (project.ItemCount() > kProjectPageLimit) {
    reports.push_back(text::ErrorReport(TooManyPagesToSaveMessage()));
    return false;
  }
  platform::AtomicFile file;
  const bool written =
      file.Open(path, options) &&
      WriteProjectFile(project, [&file](std::string_view bytes) { return file.Write(bytes); });
  if (!written || !file.Commit()) {
    reports.push_back(text::CouldNotCreateFileReport(path));
    return false;
  }
  return true;
}

bool LoadProject(HelpProject& project, const std::string& path, const LoadContext& context,
                 text::Reports& reports) {
  // Only a regular file is read, and only up to the limit: a pipe would block the load for
  // ever, and a device or a huge sparse file would take all memory.
  platform::FileBlock file;
  switch (platform::ReadRegularFile(path, platform::kProjectFileLimit, file)) {
    case platform::ReadStatus::Read:
      break;
    case platform::ReadStatus::TooLarge:
      reports.push_back(text::ErrorReport(TooLargeMessage(path)));
      return false;
    default:
      reports.push_back(text::CouldNotReadFileReport(path));
      return false;
  }
  const std::string_view data = file.View();
  LineReader in(data);
  if (in.ReadString() != kProjectHeader) {
    reports.push_back(text::ErrorReport("The file '" + path + "' is not a valid project!"));
    return false;
  }
  std::string projectFile = in.ReadString();
  std::string libraryFile = in.ReadString();
  std::string helpFolder = in.ReadString();
  const auto takePaths = [&] {
    project.projectFile = std::move(projectFile);
    project.libraryFile = std::move(libraryFile);
    project.helpFolder = std::move(helpFolder);
  };
  // A project without topics, blank lines or not, does not load; the paths stay taken over.
  if (in.OnlyLineEndsRemain()) {
    takePaths();
    return false;
  }

  std::vector<Topic> topics;
  // A record whose texts hold no line of their own takes fewer than twenty bytes; the limit
  // keeps what such a file makes in memory in proportion to its size.
  topics.reserve(
      std::min(CountEndOfTextLines(data.substr(in.Position())) / 3 + 1, kProjectPageLimit + 1));
  // A file cut short inside a record keeps that record with what was read of it; blank lines
  // after the last record are no record.
  while (!in.OnlyLineEndsRemain()) {
    Topic topic = TopicFromNameLine(in.ReadString());
    topic.parameters = in.ReadString();
    topic.title = in.ReadString();
    const bool complete = ReadText(in, data, topic.summary) && ReadText(in, data, topic.body) &&
                          ReadText(in, data, topic.example);
    topics.push_back(std::move(topic));
    if (topics.size() > kProjectPageLimit) {
      reports.push_back(text::ErrorReport(TooManyPagesMessage(path)));
      return false;
    }
    if (!complete) break;
  }

  // The file's bytes are all in the topics now: they go before the name index is made.
  file = platform::FileBlock{};
  takePaths();
  project.SetTopics(std::move(topics));
  project.RefillItemsFromStore();
  project.SetShownTopic(std::string(kIndexName));
  RelocateLibrary(project, context);
  project.SelectRow(0);
  return true;
}

}  // namespace qs::project
