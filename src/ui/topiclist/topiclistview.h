#pragma once

#include <QTreeView>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace qs::ui {

class TopicFilter;
class TopicListModel;

// The topic list: one column of names with their icons over a TopicListModel, seen through a
// TopicFilter while that filters. It speaks in the project's rows: a row the user selects, and the
// row a popup menu is wanted for, are reported as rows of the project's display order, whatever the
// filter shows.
//
// The column is as wide as the widest name of the project, filtered out or not. The view keeps
// the width of every name, row by row as the rows change, so that no change measures them all.
class TopicListView : public QTreeView {
  Q_OBJECT

 public:
  explicit TopicListView(QWidget* parent = nullptr);

  void setTopicModel(TopicListModel* model);
  TopicListModel* topicModel() const { return rows_; }
  TopicFilter* topicFilter() const { return filter_; }
  // Shows only the names that hold `text`, without regard to letter case; an empty text shows
  // every row.
  void SetFilterText(const QString& text);
  bool filtered() const;
  // Whether the filter lets the project's row through.
  bool ShowsProjectRow(int row) const;
  // Selects the project's row (-1 or a row not shown: none) without reporting it, and
  // scrolls it into view.
  void SelectProjectRow(int row);
  // The project's row of the selection; -1 for none.
  int SelectedProjectRow() const;
  // Takes the keyboard focus and selects the first row in sight, reported as the user's
  // selection; nothing when the list shows no row.
  void EnterAtFirstRowInSight();
  // Below the selected row, where a popup menu asked for by the keyboard opens (global).
  QPoint SelectedRowMenuPoint() const;

 signals:
  // The user selected a row (-1: the selection went).
  void rowSelected(int projectRow);
  // A popup menu is wanted for this row, by a right click or by the keyboard.
  void menuRequested(int projectRow, bool byKeyboard);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

 private:
  // Shows the list model itself or the filter over it, keeping the selection.
  void ShowModel(QAbstractItemModel* shown);
  // The project's row of a row shown, and back; -1 for none (or a row filtered out).
  int ProjectRow(int shownRow) const;
  int ShownRow(int projectRow) const;
  void RequestMenu(const QModelIndex& index, bool byKeyboard);
  // The column as wide as the widest name, the icon and the margins.
  void FitColumn();

  // ---- the names' widths, following the rows of the topic model ----
  void MeasureFont();
  void MeasureAll();
  double Advance(unsigned char c) const;
  int Measure(const std::string& name) const;
  void CountWidth(int width, int delta);
  void NamesInserted(int first, int last);
  void NamesRemoving(int first, int last);
  void NamesChanged(int first, int last);
  int widestName() const;

  TopicListModel* rows_ = nullptr;
  TopicFilter* filter_ = nullptr;
  // Advance of each of the 256 characters (negative: not measured yet); the width of each
  // row's name; how many names have each width.
  mutable std::array<double, 256> advance_{};
  std::vector<int> nameWidths_;
  std::map<int, int> widths_;
  bool fitAfterRemoval_ = false;
  bool quiet_ = false;
  // Rows are going: the row the view selects in place of a removed one is its own choice,
  // made while the project is halfway through the change.
  bool removing_ = false;
  bool following_ = false;
  QMetaObject::Connection removed_;
  QMetaObject::Connection followed_;
  QMetaObject::Connection relaidOut_;
};

}  // namespace qs::ui
