#include "app/previewpages.h"

#include <utility>

#include "flows/helpbuild.h"

namespace qs::app {

namespace {

std::string Address(std::string_view host, std::string_view pageFile) {
  std::string address(kPreviewScheme);
  address.append("://").append(host).append("/").append(pageFile);
  return address;
}

}  // namespace

std::string PageAddress(std::string_view pageFile) {
  return Address(kPagesHost, pageFile);
}

std::string LiveAddress(std::string_view pageFile) {
  return Address(kLiveHost, pageFile);
}

PreviewPages::PreviewPages(project::HelpProject& project, const config::LanguageTable& captions,
                           Ui& ui)
    : project_(project), captions_(captions), ui_(ui) {}

std::optional<std::string> PreviewPages::Page(std::string_view host, std::string_view path) {
  if (host == kLiveHost && !livePath_.empty() && path == livePath_) return livePage_;
  if (host != kLiveHost && host != kPagesHost) return std::nullopt;
  source_.SetExamplesAsCode(ui_.ExamplesAsCodeChecked());
  return source_.Page(project_, captions_, path);
}

std::string PreviewPages::fileFolder() const {
  return flows::HelpFolderOf(project_);
}

std::optional<std::string> PreviewPages::UpdateLivePage(const project::EditForm& form) {
  const std::size_t pos = project_.FindTopicPos(project_.shownTopic());
  std::optional<std::string> path;
  std::string page;
  if (!project_.shownTopic().empty() && pos != std::string_view::npos) {
    path = output::PageSource::PagePathOf(project_, pos);
    if (path) {
      project::Topic edited = project_.TopicAt(pos);
      if (edited.ShowsFunctionsList()) edited.body = project_.Body(pos);
      project::ApplyForm(edited, form);
      source_.SetExamplesAsCode(ui_.ExamplesAsCodeChecked());
      page = source_.PageWith(project_, captions_, pos, edited);
    }
  }
  std::string newPath = path.value_or(std::string());
  if (newPath != livePath_ || page != livePage_) {
    livePath_ = std::move(newPath);
    livePage_ = std::move(page);
    ++liveRevision_;
  }
  return path;
}

}  // namespace qs::app
