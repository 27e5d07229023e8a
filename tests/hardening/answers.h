#pragma once

// What a call in a child process answers, as text the parent can compare.

#include <string>

#include "project/projectfile.h"

namespace qs::hardening {

// The reports' texts, each followed by a line feed.
inline std::string ReportLines(const text::Reports& reports) {
  std::string out;
  for (const auto& report : reports) out += report.text + "\n";
  return out;
}

// Saves a copy of `project` to `path`: "saved" or "failed", a line feed, and the reports.
inline std::string SaveAnswer(const project::HelpProject& project, const std::string& path) {
  auto copy = project;
  text::Reports reports;
  const bool saved = project::SaveProject(copy, path, reports);
  return std::string(saved ? "saved\n" : "failed\n") + ReportLines(reports);
}

}  // namespace qs::hardening
