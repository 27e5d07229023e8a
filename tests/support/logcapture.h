#pragma once

// Keeps the core's log lines, as "category: text" ("warning " before a warning's text), with
// the categories the rules name switched on; all off again and the sink restored at its end.

#include <string>
#include <string_view>
#include <vector>

#include "text/log.h"

namespace qs::testsupport {

class LogCapture {
 public:
  explicit LogCapture(const char* rules) {
    text::EnableLogCategories(rules);
    previous_ = text::SetLogSink([this](const text::LogCategory& category, text::LogLevel level,
                                        std::string_view line) {
      lines_.push_back(std::string(category.name()) + ": " +
                       (level == text::LogLevel::Warning ? "warning " : "") + std::string(line));
    });
  }
  ~LogCapture() {
    text::EnableLogCategories(nullptr);
    text::SetLogSink(std::move(previous_));
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  text::LogSink previous_;
  std::vector<std::string> lines_;
};

}  // namespace qs::testsupport
