#pragma once

// What the core tells the user. The core never shows anything itself: an operation returns
// its reports, in the order they arose, and the front end turns each into a message box or a
// line on standard error.

#include <string>
#include <utility>
#include <vector>

namespace qs::text {

enum class ReportIcon { None, Error, Exclamation, Information, Question };

struct Report {
  std::string title;
  std::string text;
  ReportIcon icon = ReportIcon::None;

  friend bool operator==(const Report&, const Report&) = default;
};

using Reports = std::vector<Report>;

// The failed file operations and refused commands: title "Error", error icon.
inline Report ErrorReport(std::string text) {
  return {"Error", std::move(text), ReportIcon::Error};
}

// Build, compiler and browser failures: title "ERROR", error icon.
inline Report BuildErrorReport(std::string text) {
  return {"ERROR", std::move(text), ReportIcon::Error};
}

inline Report InformationReport(std::string text) {
  return {"Information", std::move(text), ReportIcon::Information};
}

// A file that could not be written, or read, in full.
inline Report CouldNotCreateFileReport(const std::string& path) {
  return ErrorReport("Could not create file '" + path + "'!");
}
inline Report CouldNotReadFileReport(const std::string& path) {
  return ErrorReport("Could not read file '" + path + "'!");
}

}  // namespace qs::text
