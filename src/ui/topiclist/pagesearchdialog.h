#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <functional>

#include "project/pagesearch.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace qs::ui {

class MainWindow;

// Where a hit of the page search is: the topic (its row and name when searched), the field,
// the line and the found text's place in that line, in the characters the editor shows.
struct PageSearchHit {
  int row = -1;
  QString topic;
  project::PageField field = project::PageField::Title;
  int line = 1;
  int column = 0;
  int length = 0;
};

// Ctrl+Shift+F: searches every field of every page (the Index page's overview included) and
// lists the hits in display order, one a line (topic, field, line, the line's text). Choosing
// a hit (double click or Enter) reports it; the window stays open for the next one, moved
// where it does not cover the hit. Down in the field goes into the list of hits, and Up from
// its first line back to the field.
class PageSearchDialog : public QDialog {
  Q_OBJECT

 public:
  PageSearchDialog(QWidget* parent, const project::HelpProject& project);

  QLineEdit* searchField = nullptr;
  QTreeWidget* hitList = nullptr;
  QLabel* countLabel = nullptr;

  // At most this many hits are listed.
  static constexpr std::size_t kHitLimit = 1000;

  // Searches again for the text in the field.
  void Search();
  // Runs before each search: the page being edited is committed, so its typing is found.
  void setBeforeSearch(std::function<void()> work) { beforeSearch_ = std::move(work); }
  // Moves the window, on its screen, to where it leaves `hit` (global coordinates) in sight:
  // below or above it, else beside it; where nothing can, where it covers the least of it.
  // Nothing when it covers none of it already.
  void KeepClearOf(const QRect& hit);

 signals:
  void hitChosen(const qs::ui::PageSearchHit& hit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const project::HelpProject& project_;
  std::function<void()> beforeSearch_;
};

// The name of a field of a page of this kind as the hit list shows it.
QString FieldName(project::PageField field, project::TopicKind kind);

// Puts the caret of the field's editor at the hit, the found text selected, and gives that
// editor and its window the focus. Returns where the selected text is shown, in global
// coordinates.
QRect PlaceCaret(MainWindow& window, const PageSearchHit& hit);

}  // namespace qs::ui

Q_DECLARE_METATYPE(qs::ui::PageSearchHit)
