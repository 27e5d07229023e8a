#include "ui/topiclist/topiclistview.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "ui/topiclist/topicfilter.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

TopicListView::TopicListView(QWidget* parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  // Every row is one line with a small icon: the view need not ask each row for its height.
  setUniformRowHeights(true);
  advance_.fill(-1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setIconSize(QSize(16, 16));
  header()->setStretchLastSection(true);
}

void TopicListView::setTopicModel(TopicListModel* model) {
  if (rows_ != nullptr) rows_->disconnect(this);
  delete filter_;
  rows_ = model;
  // The rows a move passes over may leave the filter or come back into it: a selection the
  // view makes meanwhile is its own, not the author's. Connected around the filter's handling
  // (the end of it each time the view shows another model).
  connect(model, &QAbstractItemModel::dataChanged, this, [this] { following_ = true; });
  filter_ = new TopicFilter(model, this);
  ShowModel(model);
  MeasureFont();
  connect(model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { NamesInserted(first, last); });
  connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex&, int first, int last) { NamesRemoving(first, last); });
  connect(model, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (fitAfterRemoval_) FitColumn();
    fitAfterRemoval_ = false;
  });
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& top, const QModelIndex& bottom, const QList<int>& roles) {
            if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) {
              NamesChanged(top.row(), bottom.row());
            }
          });
  connect(model, &QAbstractItemModel::modelReset, this, &TopicListView::MeasureAll);
  connect(filter_, &TopicFilter::filteringChanged, this, [this](bool filtering) {
    ShowModel(filtering ? static_cast<QAbstractItemModel*>(filter_) : rows_);
  });
}

void TopicListView::ShowModel(QAbstractItemModel* shown) {
  // The selection and the current row are the project's rows, whichever model shows them.
  const bool showing = selectionModel() != nullptr;
  const int selected = showing ? SelectedProjectRow() : -1;
  const int current = showing && currentIndex().isValid() ? ProjectRow(currentIndex().row()) : -1;
  QItemSelectionModel* before = selectionModel();
  setModel(shown);
  delete before;
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!quiet_ && !removing_ && !following_) emit rowSelected(SelectedProjectRow());
  });
  // Connected after the view's own handling of the removal and the selection's, and of a new
  // layout (measuring the first row before the view has laid the rows out would lay them out
  // and paint them twice).
  disconnect(removed_);
  removed_ = connect(shown, &QAbstractItemModel::rowsRemoved, this, [this] { removing_ = false; });
  disconnect(relaidOut_);
  relaidOut_ = connect(shown, &QAbstractItemModel::layoutChanged, this, &TopicListView::FitColumn);
  // The filter took up the list model before it is shown: this comes after its handling.
  disconnect(followed_);
  followed_ =
      connect(rows_, &QAbstractItemModel::dataChanged, this, [this] { following_ = false; });
  quiet_ = true;
  const int shownCurrent = ShownRow(current);
  if (shownCurrent >= 0) {
    selectionModel()->setCurrentIndex(shown->index(shownCurrent, 0), QItemSelectionModel::NoUpdate);
  }
  const int shownSelected = ShownRow(selected);
  if (shownSelected >= 0) {
    selectionModel()->select(shown->index(shownSelected, 0), QItemSelectionModel::ClearAndSelect);
  }
  quiet_ = false;
  // A new model brings the column back to its default width. (A new list model is measured
  // once shown.)
  if (nameWidths_.size() == static_cast<std::size_t>(rows_->rowCount())) FitColumn();
}

void TopicListView::SetFilterText(const QString& text) {
  if (filter_ != nullptr) filter_->SetText(text);
}

bool TopicListView::filtered() const {
  return filter_ != nullptr && filter_->filtered();
}

bool TopicListView::ShowsProjectRow(int row) const {
  return filter_ != nullptr && ShownRow(row) >= 0;
}

int TopicListView::ProjectRow(int shownRow) const {
  if (model() == filter_) return filter_->ProjectRow(shownRow);
  return shownRow >= 0 && shownRow < rows_->rowCount() ? shownRow : -1;
}

int TopicListView::ShownRow(int projectRow) const {
  if (model() == filter_) return filter_->ShownRow(projectRow);
  return projectRow >= 0 && projectRow < rows_->rowCount() ? projectRow : -1;
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
  const int shown = filter_ != nullptr ? ShownRow(row) : -1;
  const QModelIndex index = shown >= 0 ? model()->index(shown, 0) : QModelIndex();
  selectionModel()->clearSelection();
  if (index.isValid()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  }
  quiet_ = false;
}

int TopicListView::SelectedProjectRow() const {
  if (filter_ == nullptr) return -1;
  const QModelIndexList selected = selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : ProjectRow(selected.front().row());
}

void TopicListView::EnterAtFirstRowInSight() {
  if (filter_ == nullptr || model()->rowCount() == 0) return;
  QModelIndex first = indexAt(QPoint(0, 0));
  if (!first.isValid()) first = model()->index(0, 0);
  setFocus(Qt::TabFocusReason);
  setCurrentIndex(first);
  scrollTo(first);
}

QPoint TopicListView::SelectedRowMenuPoint() const {
  const QRect row = visualRect(currentIndex());
  return viewport()->mapToGlobal(row.bottomLeft() + QPoint(iconSize().width(), 0));
}

void TopicListView::RequestMenu(const QModelIndex& index, bool byKeyboard) {
  if (!index.isValid() || filter_ == nullptr) return;
  quiet_ = true;
  setCurrentIndex(index);
  quiet_ = false;
  emit menuRequested(ProjectRow(index.row()), byKeyboard);
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
  if (event->type() == QEvent::FontChange && rows_ != nullptr) MeasureFont();
}

void TopicListView::FitColumn() {
  if (filter_ == nullptr || model()->rowCount() == 0) return;
  // The margins and the icon, as the delegate lays out the first row; a pixel more for the
  // rounding of the names' widths.
  const QModelIndex first = model()->index(0, 0);
  const int row = ProjectRow(0);
  const int frame = sizeHintForIndex(first).width() - nameWidths_[static_cast<std::size_t>(row)];
  setColumnWidth(0, frame + widestName() + 1);
}

// ---- the names' widths ----

void TopicListView::MeasureFont() {
  advance_.fill(-1);
  MeasureAll();
}

double TopicListView::Advance(unsigned char c) const {
  // Measured when a name first holds the character: a font may lack the rare ones, and
  // looking for a font that has them is slow, so the window does not measure all 256 as it
  // opens. Each by its glyph's advance, as a name's width is their sum.
  double& advance = advance_[c];
  if (advance < 0) {
    const QString character = FromModel(std::string(1, static_cast<char>(c)));
    const QFontMetricsF metrics(font());
    advance = character.size() == 1 ? metrics.horizontalAdvance(character.front())
                                    : metrics.horizontalAdvance(character);
  }
  return advance;
}

void TopicListView::MeasureAll() {
  nameWidths_.clear();
  widths_.clear();
  const int count = rows_ != nullptr ? rows_->rowCount() : 0;
  nameWidths_.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    nameWidths_.push_back(Measure(rows_->NameAt(row)));
    ++widths_[nameWidths_.back()];
  }
  FitColumn();
}

int TopicListView::Measure(const std::string& name) const {
  double width = 0;
  for (const char c : name) width += Advance(static_cast<unsigned char>(c));
  return static_cast<int>(std::ceil(width));
}

void TopicListView::CountWidth(int width, int delta) {
  int& count = widths_[width];
  count += delta;
  if (count <= 0) widths_.erase(width);
}

int TopicListView::widestName() const {
  return widths_.empty() ? 0 : widths_.rbegin()->first;
}

void TopicListView::NamesInserted(int first, int last) {
  const int before = widestName();
  for (int row = first; row <= last; ++row) {
    const int width = Measure(rows_->NameAt(row));
    nameWidths_.insert(nameWidths_.begin() + row, width);
    CountWidth(width, 1);
  }
  if (widestName() != before) FitColumn();
}

void TopicListView::NamesRemoving(int first, int last) {
  const int before = widestName();
  for (int row = first; row <= last; ++row) {
    CountWidth(nameWidths_[static_cast<std::size_t>(row)], -1);
  }
  nameWidths_.erase(nameWidths_.begin() + first, nameWidths_.begin() + last + 1);
  // The column is fitted once the rows are gone, when the first row shown may be another.
  fitAfterRemoval_ = widestName() != before;
}

void TopicListView::NamesChanged(int first, int last) {
  const int before = widestName();
  for (int row = first; row <= last; ++row) {
    int& width = nameWidths_[static_cast<std::size_t>(row)];
    CountWidth(width, -1);
    width = Measure(rows_->NameAt(row));
    CountWidth(width, 1);
  }
  if (widestName() != before) FitColumn();
}

}  // namespace qs::ui
