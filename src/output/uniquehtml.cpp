#include "output/uniquehtml.h"

#include <filesystem>
#include <system_error>

#include "output/examplecode.h"
#include "output/outputfile.h"
#include "output/pagenames.h"
#include "output/pagewriter.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {

std::string UniqueHtmlText(const project::HelpProject& project, bool examplesAsCode) {
  const ExampleCode code;
  static const project::Topic kNoTopic;
  const auto& topics = project.topics();
  const project::Topic& index = topics.empty() ? kNoTopic : topics.front();
  std::string out;
  AppendLine(out, IndexHeadLine(index.title));
  AppendLine(out, kBodyLine);
  AppendLine(out, "<font face=\"Arial\" size=\"2\">");
  out.append("<p align=\"center\"><b><font size=\"4\">").append(index.title);
  AppendLine(out, "</font></b></p>");
  // These two headings are fixed English words, not captions of the language table.
  AppendLine(out, "<p><b>Overview</b></p>");
  AppendLine(out, text::LineBreaksToHtml(index.summary));
  AppendLine(out, "");
  AppendLine(out, "<p><b>Functions</b></p>");
  for (std::size_t pos = 1; pos < topics.size(); ++pos) {
    const auto& topic = topics[pos];
    if (!topic.IsPlain()) continue;
    out.append("<font color=\"#006666\"><b>").append(topic.name).append("</b></Font>");
    AppendLine(out, topic.parameters);
    AppendLine(out, "<blockquote><font face=\"Arial\"size=\"2\">");
    AppendLine(out, text::LineBreaksToHtml(project.Body(pos)));
    AppendLine(out, "</font></blockquote>");
    if (examplesAsCode && !topic.example.empty()) AppendExampleFrame(out, topic.example, &code);
  }
  AppendLine(out, kClosingLine);
  return out;
}

std::string UniqueHtmlTarget(const project::HelpProject& project, const std::string& folder) {
  const std::string title = project.TopicCount() > 0 ? project.TopicAt(0).title : "";
  // Named like a page, so that a title with letters beyond ASCII gives a file the system can
  // name and a browser can open.
  return text::WithTrailingSeparator(folder) + PageFileName(title);
}

std::optional<std::string> UniqueHtmlPath(const project::HelpProject& project,
                                          const std::string& folder) {
  if (project.TopicCount() == 0) return std::nullopt;
  if (project.TopicAt(0).title.find_first_of("/\\") != std::string::npos) return std::nullopt;
  return UniqueHtmlTarget(project, folder);
}

bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                         text::Reports& reports, bool examplesAsCode) {
  const auto path = UniqueHtmlPath(project, folder);
  if (!path) return false;
  if (!folder.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(folder), ignored);
  }
  text::Reports silent;  // this file's failure is not reported
  if (!WriteOutputFile(*path, UniqueHtmlText(project, examplesAsCode), silent)) return false;
  reports.push_back(text::InformationReport("Unique HTML help file created :\n\n" + *path));
  return true;
}

}  // namespace qs::output
