#include "output/compilermessages.h"

#include <algorithm>

#include "text/textops.h"

namespace qs::output {
namespace {

// The text between `before` and the next `after` in `text`; empty when either is missing.
std::string_view Between(std::string_view text, std::string_view before, std::string_view after) {
  const auto start = text.find(before);
  if (start == std::string_view::npos) return {};
  const auto from = start + before.size();
  const auto end = text.find(after, from);
  if (end == std::string_view::npos) return {};
  return text.substr(from, end - from);
}

bool EndsWithPageEnding(std::string_view word) {
  const std::string lower = text::AsciiLower(word);
  return word.size() > 4 && (text::EndsWith(lower, ".html") || text::EndsWith(lower, ".htm"));
}

// The page a message names. The compiler's own forms first, where a name may hold blanks:
// "Html parsing P, failed", "while scanning P, but", "File P does not exist"; otherwise the
// first word that ends in ".html" or ".htm".
std::string PageNamedIn(std::string_view message) {
  for (const auto& [before, after] :
       {std::pair<std::string_view, std::string_view>{"Html parsing ", ", failed"},
        {" while scanning ", ", but"},
        {"File ", " does not exist"}}) {
    const std::string_view page = Between(message, before, after);
    if (!page.empty()) return std::string(page);
  }
  std::size_t start = 0;
  while (start < message.size()) {
    auto end = message.find(' ', start);
    if (end == std::string_view::npos) end = message.size();
    std::string_view word = message.substr(start, end - start);
    while (!word.empty() &&
           std::string_view(".,:;'\"").find(word.back()) != std::string_view::npos &&
           !EndsWithPageEnding(word)) {
      word.remove_suffix(1);
    }
    while (!word.empty() && (word.front() == '\'' || word.front() == '"')) word.remove_prefix(1);
    if (EndsWithPageEnding(word)) return std::string(word);
    start = end + 1;
  }
  return {};
}

// The message after an "Error:" or "Warning:" mark at the start of `line`.
bool ReadPlainMark(std::string_view line, CompilerMessageKind& kind, std::string_view& message) {
  const std::string lower = text::AsciiLower(line.substr(0, 8));
  if (text::StartsWith(lower, "error:")) {
    kind = CompilerMessageKind::Error;
    message = line.substr(6);
  } else if (text::StartsWith(lower, "warning:")) {
    kind = CompilerMessageKind::Warning;
    message = line.substr(8);
  } else {
    return false;
  }
  while (!message.empty() && message.front() == ' ') message.remove_prefix(1);
  return true;
}

// The same, also after a message number such as "HHC5003: " before the mark.
bool ReadMark(std::string_view line, CompilerMessageKind& kind, std::string_view& message) {
  if (ReadPlainMark(line, kind, message)) return true;
  const auto colon = line.find(": ");
  if (colon == std::string_view::npos || colon == 0 || colon > 12) return false;
  const auto code = line.substr(0, colon);
  const bool isCode = std::all_of(code.begin(), code.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
  return isCode && ReadPlainMark(line.substr(colon + 2), kind, message);
}

}  // namespace

std::vector<CompilerMessage> ReadCompilerMessages(std::string_view output) {
  std::vector<CompilerMessage> errors;
  std::vector<CompilerMessage> warnings;
  std::size_t start = 0;
  while (start < output.size()) {
    auto end = output.find('\n', start);
    if (end == std::string_view::npos) end = output.size();
    std::string_view line = output.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    CompilerMessageKind kind{};
    std::string_view message;
    if (!ReadMark(line, kind, message)) continue;
    CompilerMessage read{kind, PageNamedIn(message), std::string(message)};
    (kind == CompilerMessageKind::Error ? errors : warnings).push_back(std::move(read));
  }
  errors.insert(errors.end(), std::make_move_iterator(warnings.begin()),
                std::make_move_iterator(warnings.end()));
  return errors;
}

std::size_t CountMessages(const std::vector<CompilerMessage>& messages, CompilerMessageKind kind) {
  return static_cast<std::size_t>(
      std::count_if(messages.begin(), messages.end(),
                    [kind](const CompilerMessage& message) { return message.kind == kind; }));
}

std::string CountedMessagesText(const std::vector<CompilerMessage>& messages) {
  const auto counted = [](std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
  };
  const std::size_t errors = CountMessages(messages, CompilerMessageKind::Error);
  const std::size_t warnings = CountMessages(messages, CompilerMessageKind::Warning);
  std::string out;
  if (errors > 0) out += counted(errors, "error", "errors");
  if (errors > 0 && warnings > 0) out += " and ";
  if (warnings > 0) out += counted(warnings, "warning", "warnings");
  return out;
}

std::string CompiledWithText(const std::vector<CompilerMessage>& messages) {
  const std::string counted = CountedMessagesText(messages);
  return counted.empty() ? std::string() : "compiled with " + counted;
}

std::string MessageLine(const CompilerMessage& message) {
  std::string line = message.kind == CompilerMessageKind::Error ? "Error" : "Warning";
  if (!message.page.empty()) line += " in " + message.page;
  return line + ": " + message.text;
}

}  // namespace qs::output
