#include "cli/openproject.h"

#include "cli/librarycommands.h"
#include "config/languagefiles.h"
#include "flows/helpbuild.h"
#include "flows/projectflows.h"

namespace qs::cli {

bool OpenForOutput(flows::ProjectFiles& files, const Arguments& args, project::HelpProject& project,
                   std::string& folder, std::ostream& err) {
  const flows::ProjectOutcome opened = flows::OpenProject(files, project, args.plain()[0]);
  if (!opened.succeeded) {
    WriteReports(opened.reports, err);
    return false;
  }
  folder = args.Value("--out").value_or(flows::HelpFolderOf(project));
  return true;
}

std::optional<config::LanguageTable> ReadCaptions(const Arguments& args, std::ostream& err) {
  const auto file = args.Value("--language-file");
  if (!file) return config::LanguageTable{};
  config::LanguageState language;
  switch (config::ReadLanguageFile(*file, config::kBuiltInLanguage, language)) {
    case config::LanguageFileStatus::Read:
      return language.table;
    case config::LanguageFileStatus::CannotRead:
      WriteReports({text::CouldNotReadFileReport(*file)}, err);
      return std::nullopt;
    case config::LanguageFileStatus::NoLanguageGroup:
      WriteReports({text::ErrorReport(config::NotALanguageFileMessage(*file))}, err);
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace qs::cli
