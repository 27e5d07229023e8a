#include "text/log.h"

#include <cstdio>
#include <utility>

namespace qs::text {

namespace {

void WriteToStandardError(const LogCategory& category, LogLevel, std::string_view text) {
  // One write per line, so that lines of two threads do not run into each other.
  std::string line = category.name();
  line.append(": ").append(text).push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

LogSink& Sink() {
  static LogSink sink = WriteToStandardError;
  return sink;
}

}  // namespace

bool LogRulesMatch(std::string_view rules, std::string_view name) {
  constexpr std::string_view kSeparators = ", \t";
  std::size_t start = 0;
  while (start < rules.size()) {
    std::size_t end = rules.find_first_of(kSeparators, start);
    if (end == std::string_view::npos) end = rules.size();
    const std::string_view rule = rules.substr(start, end - start);
    start = end + 1;
    if (rule.empty()) continue;
    if (rule.back() == '*' ? name.starts_with(rule.substr(0, rule.size() - 1)) : name == rule) {
      return true;
    }
  }
  return false;
}

void EnableLogCategories(const char* rules) {
  for (LogCategory* category : kLogCategories) {
    category->SetEnabled(rules != nullptr && LogRulesMatch(rules, category->name()));
  }
}

LogSink SetLogSink(LogSink sink) {
  if (!sink) sink = WriteToStandardError;
  return std::exchange(Sink(), std::move(sink));
}

LogLine::~LogLine() {
  Sink()(category_, level_, text_);
}

LogLine& LogLine::operator<<(std::string_view text) {
  for (const char c : text) {
    if (c == '\n') {
      text_ += "\\n";
    } else if (c == '\r') {
      text_ += "\\r";
    } else {
      text_.push_back(c);
    }
  }
  return *this;
}

bool LoggedFailure(const LogCategory& category, std::string_view what, std::string_view path) {
  QS_LOG_WARNING(category) << what << " '" << path << "'";
  return false;
}

}  // namespace qs::text
