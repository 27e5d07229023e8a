#include "ui/topiclist/topicfilter.h"

#include "project/helpproject.h"
#include "text/textsearch.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

TopicFilter::TopicFilter(TopicListModel* rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {}

void TopicFilter::Follow() {
  setSourceModel(rows_);
  // Connected after the filter's own handling of the list model's changes. That handling of
  // an insertion asks filterAcceptsRow about the new row, so the row is marked before the
  // insertion and held by index once the filter has placed it.
  following_ = {
      connect(rows_, &QAbstractItemModel::dataChanged, this,
              [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::ToolTipRole)) MarksChanged();
              }),
      connect(rows_, &QAbstractItemModel::rowsAboutToBeInserted, this,
              [this](const QModelIndex&, int first, int) { adding_ = first; }),
      connect(rows_, &QAbstractItemModel::rowsInserted, this,
              [this] {
                if (adding_ >= 0) SetAdded(rows_->index(adding_));
                adding_ = -1;
              }),
      // A move passes its rows on as changed; the added row is followed to where it went.
      connect(rows_, &TopicListModel::rowMoved, this,
              [this](int from, int to) {
                if (!added_.isValid()) return;
                SetAdded(rows_->index(project::RowAfterMove(added_.row(), from, to)));
              }),
      connect(rows_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { SetAdded({}); })};
}

void TopicFilter::LetGo() {
  for (const QMetaObject::Connection& connection : following_) disconnect(connection);
  following_.clear();
  adding_ = -1;
  SetAdded({});
  setSourceModel(nullptr);
}

void TopicFilter::SetText(const QString& text) {
  std::string needle = ToModel(text);
  if (needle == needle_) return;
  const bool wasFiltered = filtered();
  needle_ = std::move(needle);
  foldedNeedle_ = text::FoldedCase(needle_);
  needleKinds_ = text::ByteKinds(foldedNeedle_);
  SetAdded({});
  Refilter(wasFiltered);
}

void TopicFilter::SetPages(Pages pages) {
  if (pages == pages_) return;
  const bool wasFiltered = filtered();
  pages_ = pages;
  SetAdded({});
  Refilter(wasFiltered);
}

void TopicFilter::Refilter(bool wasFiltered) {
  if (filtered() && !wasFiltered) {
    Follow();
    emit filteringChanged(true);
  } else if (!filtered() && wasFiltered) {
    // The view shows the list model before the filter lets go of it.
    emit filteringChanged(false);
    LetGo();
  } else if (filtered()) {
    // One change of layout for the whole list: the view lays its rows out once, where a
    // removal and an insertion for every stretch of rows that changed would cost a pass each.
    invalidate();
  }
}

void TopicFilter::MarksChanged() {
  if (pages_ != Pages::All) invalidate();
}

// Asked of every row on each keystroke, so the common case is kept short: an empty needle and
// all pages let every row through on their own.
bool TopicFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (sourceRow == adding_) return true;
  if (pages_ != Pages::All && !PagePasses(sourceRow)) return IsAdded(sourceRow);
  // Most names lack a kind of byte the needle holds; they are ruled out before a search.
  if ((rows_->ByteKindsAt(sourceRow) & needleKinds_) != needleKinds_) return IsAdded(sourceRow);
  return HoldsNeedle(sourceRow) || IsAdded(sourceRow);
}

bool TopicFilter::PagePasses(int sourceRow) const {
  if (pages_ == Pages::Undocumented) return rows_->Undocumented(sourceRow);
  return pages_ != Pages::WithProblems || rows_->Problems(sourceRow) != 0;
}

bool TopicFilter::HoldsNeedle(int sourceRow) const {
  return text::Holds(rows_->FoldedNameAt(sourceRow), foldedNeedle_);
}

void TopicFilter::SetAdded(const QModelIndex& row) {
  added_ = QPersistentModelIndex(row);
  hasAdded_ = added_.isValid();
}

Qt::ItemFlags TopicFilter::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

bool TopicFilter::hasChildren(const QModelIndex& parent) const {
  return !parent.isValid() && rowCount() > 0;
}

int TopicFilter::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : QSortFilterProxyModel::rowCount(parent);
}

int TopicFilter::ProjectRow(int shownRow) const {
  if (shownRow < 0 || shownRow >= rowCount()) return -1;
  return mapToSource(index(shownRow, 0)).row();
}

int TopicFilter::ShownRow(int projectRow) const {
  if (projectRow < 0 || projectRow >= rows_->rowCount()) return -1;
  const QModelIndex shown = mapFromSource(rows_->index(projectRow));
  return shown.isValid() ? shown.row() : -1;
}

}  // namespace qs::ui
