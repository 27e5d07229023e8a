#include "ui/topiclist/topiclistview.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include "ui/topiclist/topiclistmodel.h"

namespace qs::ui {

TopicListView::TopicListView(QWidget* parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  // Every row is one line with a small icon: the view need not ask each row for its height.
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setIconSize(QSize(16, 16));
  header()->setStretchLastSection(true);
}

void TopicListView::setTopicModel(TopicListModel* model) {
  model_ = model;
  setModel(model);
  model->SetFont(font());
  connect(model, &TopicListModel::widestNameChanged, this, &TopicListView::FitColumn);
  connect(model, &QAbstractItemModel::modelReset, this, &TopicListView::FitColumn);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!quiet_ && !removing_) emit rowSelected(SelectedProjectRow());
  });
  // Connected after the view's own handling of the removal and the selection's.
  connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { removing_ = false; });
  FitColumn();
}

void TopicListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  // The view selects the row below a removed selected row. Reported, that would show another
  // page in the middle of the deletion, which would then delete that page's text; the program
  // selects what it wants once the rows are gone.
  removing_ = true;
  QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TopicListView::SelectProjectRow(int row) {
  quiet_ = true;
  const int shown = model_ != nullptr ? model_->ModelRow(row) : -1;
  const QModelIndex index = shown >= 0 ? model_->index(shown) : QModelIndex();
  selectionModel()->clearSelection();
  if (index.isValid()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  }
  quiet_ = false;
}

int TopicListView::SelectedProjectRow() const {
  if (model_ == nullptr) return -1;
  const QModelIndexList selected = selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : model_->ProjectRow(selected.front().row());
}

QPoint TopicListView::SelectedRowMenuPoint() const {
  const QRect row = visualRect(currentIndex());
  return viewport()->mapToGlobal(row.bottomLeft() + QPoint(iconSize().width(), 0));
}

void TopicListView::RequestMenu(const QModelIndex& index, bool byKeyboard) {
  if (!index.isValid() || model_ == nullptr) return;
  quiet_ = true;
  setCurrentIndex(index);
  quiet_ = false;
  emit menuRequested(model_->ProjectRow(index.row()), byKeyboard);
}

void TopicListView::keyPressEvent(QKeyEvent* event) {
  // Shift+F10 and the menu key open the popup menu at the selected row.
  const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (menuKey || shiftF10) {
    const QModelIndexList selected = selectionModel()->selectedRows();
    RequestMenu(selected.isEmpty() ? QModelIndex() : selected.front(), true);
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void TopicListView::contextMenuEvent(QContextMenuEvent* event) {
  // Some systems turn the menu key into a menu request as well: the key itself is handled
  // above, so such a request is dropped here rather than opening a second menu.
  if (event->reason() == QContextMenuEvent::Mouse) {
    RequestMenu(indexAt(viewport()->mapFromGlobal(event->globalPos())), false);
  }
  event->accept();
}

void TopicListView::changeEvent(QEvent* event) {
  QTreeView::changeEvent(event);
  if (event->type() == QEvent::FontChange && model_ != nullptr) model_->SetFont(font());
}

void TopicListView::FitColumn() {
  if (model_ == nullptr || model_->rowCount() == 0) return;
  // The margins and the icon, as the delegate lays out the first row; a pixel more for the
  // rounding of the names' widths.
  const QModelIndex first = model_->index(0);
  const int frame = sizeHintForIndex(first).width() - model_->NameWidth(0);
  setColumnWidth(0, frame + model_->widestName() + 1);
}

}  // namespace qs::ui
