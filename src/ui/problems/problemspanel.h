#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "check/pagecheck.h"
#include "check/problem.h"
#include "check/projectcheck.h"
#include "project/coverage.h"
#include "project/helpproject.h"

class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace qs::ui {

// The Problems panel: every problem a reader of the help would meet, page by page, kept
// current while the author types. The whole project is checked off the user-interface thread
// a moment after it changed (a page added, renamed, moved; another page shown); the page in
// the form is checked again from the form's own texts a moment after typing stops, which
// costs one page, not the project. Choosing a problem (double click or Enter) reports it.
//
// It also answers, for the topic list, which function pages are documented and how many
// problems each page has, and gives the status bar its coverage text.
class ProblemsPanel : public QWidget {
  Q_OBJECT

 public:
  // What the panel reads: the project, and the shown topic with the form's texts applied
  // (nothing when no topic is shown or the form holds nothing new).
  struct Sources {
    std::function<const project::HelpProject&()> project;
    std::function<std::optional<project::Topic>()> shownPage;
    // Whether examples are written as code (and hold no markup to check).
    std::function<bool()> examplesAreCode;
  };

  explicit ProblemsPanel(Sources sources, QWidget* parent = nullptr);
  ~ProblemsPanel() override;

  // ---- for the topic list and the status bar ----
  // Whether the topic is a function page not yet documented (false for any other topic, and
  // before the first check).
  bool isUndocumented(const QString& topic) const;
  // The problems of the topic's page as last checked.
  int problemCount(const QString& topic) const;
  int totalProblems() const { return total_; }
  // Every function page not yet documented, and every page's count of problems, by name.
  const QHash<QString, bool>& undocumentedPages() const { return undocumented_; }
  const QHash<QString, int>& problemCounts() const { return counts_; }
  // "29 of 35 functions documented"; empty before the first check.
  QString coverageText() const { return coverageText_; }

  QTreeWidget* list() const { return list_; }
  // A few problems high: the panel shares the window with the form.
  QSize sizeHint() const override;

 public slots:
  // The project changed in a way that may touch any page: checked again a moment later.
  void projectChanged();
  // The author typed into the form: the shown page is checked again a moment after typing
  // stops.
  void formEdited();
  // Another page is shown: the one left is checked again when the check of its typing was
  // still to come (otherwise what it holds was checked already).
  void shownPageChanged();

 signals:
  // The results changed: marks and counts may follow.
  void checked();
  // A problem was chosen: go to the page `topic`, its `field`, the `line` in it (from 1).
  void problemChosen(const QString& topic, qs::check::Field field, int line);

 private:
  struct Outcome;
  void StartProjectCheck();
  void TakeOutcome(std::shared_ptr<Outcome> outcome);
  void RecheckShownPage();
  void Refill();
  void Choose(QTreeWidgetItem* item);

  Sources sources_;
  QTreeWidget* list_ = nullptr;
  QLabel* summary_ = nullptr;
  QTimer* projectTimer_ = nullptr;
  QTimer* typingTimer_ = nullptr;
  std::thread worker_;
  bool running_ = false;
  bool pending_ = false;
  // The pages in store order as last checked, with their problems.
  std::vector<std::string> order_;
  std::unordered_map<std::string, std::vector<check::Problem>> problems_;
  QHash<QString, int> counts_;
  QHash<QString, bool> undocumented_;
  project::LibraryHelpTexts helps_;
  std::shared_ptr<const check::PageChecker> checker_;
  // The worker's, while it runs: it remembers the pages it checked, and checks again only
  // those that changed.
  std::shared_ptr<check::RepeatedCheck> repeated_;
  project::Coverage coverage_;
  QString coverageText_;
  int total_ = 0;
};

}  // namespace qs::ui
