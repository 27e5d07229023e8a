#pragma once

#include <QTreeView>

namespace qs::ui {

class TopicListModel;

// The topic list: one column of names with their icons over a TopicListModel. It speaks in
// the project's rows: a row the user selects, and the row a popup menu is wanted for, are
// reported as rows of the project's display order, whatever the filter shows.
class TopicListView : public QTreeView {
  Q_OBJECT

 public:
  explicit TopicListView(QWidget* parent = nullptr);

  void setTopicModel(TopicListModel* model);
  TopicListModel* topicModel() const { return model_; }
  // Selects the project's row (-1 or a row not shown: none) without reporting it, and
  // scrolls it into view.
  void SelectProjectRow(int row);
  // The project's row of the selection; -1 for none.
  int SelectedProjectRow() const;
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
  void RequestMenu(const QModelIndex& index, bool byKeyboard);
  // The column as wide as the widest name, the icon and the margins.
  void FitColumn();

  TopicListModel* model_ = nullptr;
  bool quiet_ = false;
  // Rows are going: the row the view selects in place of a removed one is its own choice,
  // made while the project is halfway through the change.
  bool removing_ = false;
};

}  // namespace qs::ui
