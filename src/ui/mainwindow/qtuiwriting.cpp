// The parts of the window port that serve the writing itself: the live pane beside the form,
// the spell check's dictionary and word list, and the recent projects.

#include <QPushButton>

#include "spelling/speller.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewscheme.h"

namespace qs::ui {

void QtUi::SetLivePane(bool shown) {
  window_.livePaneButton->setChecked(shown && window_.livePane != nullptr);
  if (window_.livePane) window_.livePane->SetOpen(shown);
}

void QtUi::ShowLivePage(const std::string& address) {
  if (window_.livePane) window_.livePane->Show(BrowserUrl(address));
}

std::string QtUi::DictionaryChoice() {
  return window_.speller().dictionaryChoice().toStdString();
}

void QtUi::SetDictionaryChoice(const std::string& choice) {
  window_.speller().SetDictionary(QString::fromStdString(choice));
}

void QtUi::SetProjectWordList(const std::string& path) {
  window_.speller().SetProjectWordListPath(path);
}

void QtUi::SetRecentProjects(const std::vector<std::string>& paths) {
  window_.setRecentProjects(paths);
}

}  // namespace qs::ui
