#pragma once

// "Create website..." as both programs run it: the project's help as a static website in a
// folder of its own, with the pictures of the help folder copied along. Nothing of the
// project, its help folder or its compiled help changes.

#include <cstddef>
#include <optional>
#include <string>

#include "config/languagetable.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::flows {

struct WebsiteOutcome {
  // The full path of every file written, each followed by LF; empty when the site could not
  // be written.
  std::string log;
  // How many pages of topics the site has, and the path of its first page.
  std::size_t pages = 0;
  std::string startPage;
  // Warnings about files of the help folder left out; after a failure, what failed and then
  // "Error during website creation!".
  text::Reports reports;

  bool written() const { return !log.empty(); }
};

// The refusal of a website into no folder.
text::Report NoWebsiteFolderReport();

// The confirmation after success: "Website created :", an empty line and the first page.
text::Report WebsiteCreatedReport(const std::string& startPage);

// Writes the website of `project`, from the texts last committed, into `folder`, with these
// captions; the pictures come from `pictures`, by default the project's help folder.
WebsiteOutcome CreateWebsite(const project::HelpProject& project,
                             const config::LanguageTable& captions, const std::string& folder,
                             const std::optional<std::string>& pictures = std::nullopt,
                             bool examplesAsCode = false);

}  // namespace qs::flows
