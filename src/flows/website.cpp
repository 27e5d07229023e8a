#include "flows/website.h"

#include "flows/helpbuild.h"
#include "output/website.h"
#include "text/paths.h"

namespace qs::flows {

text::Report NoWebsiteFolderReport() {
  return {"WARNING", "No website folder defined!", text::ReportIcon::Exclamation};
}

text::Report WebsiteCreatedReport(const std::string& startPage) {
  return text::InformationReport("Website created :\n\n" + startPage);
}

WebsiteOutcome CreateWebsite(const project::HelpProject& project,
                             const config::LanguageTable& captions, const std::string& folder,
                             const std::optional<std::string>& pictures, bool examplesAsCode) {
  WebsiteOutcome outcome;
  if (folder.empty()) {
    outcome.reports.push_back(NoWebsiteFolderReport());
    return outcome;
  }
  outcome.log =
      output::WriteWebsite(project, captions, folder, pictures.value_or(HelpFolderOf(project)),
                           outcome.reports, examplesAsCode);
  if (!outcome.written()) {
    outcome.reports.push_back(text::BuildErrorReport("Error during website creation!"));
    return outcome;
  }
  outcome.pages = output::MapSite(project).pages.size();
  outcome.startPage = text::WithTrailingSeparator(folder) + "Index.html";
  return outcome;
}

}  // namespace qs::flows
