#include "ui/topiclist/topiclistmodel.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "text/textsearch.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

TopicListModel::TopicListModel(project::HelpProject& project, QObject* parent)
    : QAbstractListModel(parent),
      project_(project),
      seenRevision_(project.itemsRevision()),
      pageIcon_(PageIcon()),
      indexIcon_(IndexIcon()) {
  SetFont(QFont());
  project_.SetRowObserver(this);
}

TopicListModel::~TopicListModel() {
  project_.SetRowObserver(nullptr);
}

int TopicListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return filtering_ ? static_cast<int>(shown_.size()) : static_cast<int>(project_.ItemCount());
}

QVariant TopicListModel::data(const QModelIndex& index, int role) const {
  const int row = ProjectRow(index.row());
  if (!index.isValid() || row < 0) return {};
  const project::ListItem& item = project_.items()[static_cast<std::size_t>(row)];
  if (role == Qt::DisplayRole) return FromModel(item.text);
  if (role == Qt::DecorationRole) {
    return item.icon == project::TopicIcon::IndexIcon ? indexIcon_ : pageIcon_;
  }
  return {};
}

int TopicListModel::ProjectRow(int modelRow) const {
  if (modelRow < 0 || modelRow >= rowCount()) return -1;
  return filtering_ ? shown_[static_cast<std::size_t>(modelRow)] : modelRow;
}

int TopicListModel::ModelRow(int projectRow) const {
  if (projectRow < 0 || static_cast<std::size_t>(projectRow) >= project_.ItemCount()) return -1;
  if (!filtering_) return projectRow;
  const auto it = std::lower_bound(shown_.begin(), shown_.end(), projectRow);
  if (it == shown_.end() || *it != projectRow) return -1;
  return static_cast<int>(it - shown_.begin());
}

QStringList TopicListModel::AllNames() const {
  QStringList names;
  names.reserve(static_cast<qsizetype>(project_.ItemCount()));
  for (const project::ListItem& item : project_.items()) names.append(FromModel(item.text));
  return names;
}

bool TopicListModel::Matches(std::size_t row) const {
  return text::ContainsIgnoringCase(project_.items()[row].text, needle_);
}

void TopicListModel::Refilter() {
  shown_.clear();
  if (!filtering_) return;
  for (std::size_t row = 0; row < project_.ItemCount(); ++row) {
    if (Matches(row)) shown_.push_back(static_cast<int>(row));
  }
}

void TopicListModel::SetFilter(const QString& text) {
  const std::string needle = ToModel(text);
  if (needle == needle_) return;
  beginResetModel();
  needle_ = needle;
  filtering_ = !needle_.empty();
  Refilter();
  endResetModel();
}

// ---- following the project's rows ----

void TopicListModel::RowInserting(std::size_t row) {
  if (!filtering_) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
    return;
  }
  const auto at = std::lower_bound(shown_.begin(), shown_.end(), static_cast<int>(row));
  const int pos = static_cast<int>(at - shown_.begin());
  beginInsertRows({}, pos, pos);
}

void TopicListModel::RowInserted(std::size_t row) {
  const int inserted = static_cast<int>(row);
  if (filtering_) {
    auto at = std::lower_bound(shown_.begin(), shown_.end(), inserted);
    for (auto it = at; it != shown_.end(); ++it) ++*it;
    shown_.insert(at, inserted);
  }
  seenRevision_ = project_.itemsRevision();
  endInsertRows();
  CountWidth(project_.items()[row].text, 1);
  emit nameAdded(FromModel(project_.items()[row].text));
}

void TopicListModel::RowRemoving(std::size_t row) {
  removingName_ = project_.items()[row].text;
  CountWidth(removingName_, -1);
  const int pos = ModelRow(static_cast<int>(row));
  removingShown_ = pos >= 0;
  if (removingShown_) beginRemoveRows({}, pos, pos);
}

void TopicListModel::RowRemoved(std::size_t row) {
  const int removed = static_cast<int>(row);
  if (filtering_) {
    auto at = std::lower_bound(shown_.begin(), shown_.end(), removed);
    if (at != shown_.end() && *at == removed) at = shown_.erase(at);
    for (auto it = at; it != shown_.end(); ++it) --*it;
  }
  seenRevision_ = project_.itemsRevision();
  if (removingShown_) endRemoveRows();
  removingShown_ = false;
  emit nameRemoved(FromModel(removingName_));
}

void TopicListModel::RowMoving(std::size_t from, std::size_t to) {
  // The rows between shift: under a filter that is a new set of shown rows.
  movingShown_ = !filtering_;
  if (!movingShown_) {
    beginResetModel();
    return;
  }
  const int source = static_cast<int>(from);
  // Qt places the row before the destination row as numbered before the move.
  const int destination = to > from ? static_cast<int>(to) + 1 : static_cast<int>(to);
  beginMoveRows({}, source, source, {}, destination);
}

void TopicListModel::RowMoved(std::size_t, std::size_t) {
  seenRevision_ = project_.itemsRevision();
  if (movingShown_) {
    endMoveRows();
    return;
  }
  Refilter();
  endResetModel();
}

void TopicListModel::RowChanged(std::size_t row) {
  seenRevision_ = project_.itemsRevision();
  const int pos = ModelRow(static_cast<int>(row));
  if (pos >= 0) emit dataChanged(index(pos), index(pos));
}

void TopicListModel::RowsResetting() {
  beginResetModel();
}

void TopicListModel::RowsReset() {
  seenRevision_ = project_.itemsRevision();
  Refilter();
  MeasureAll();
  endResetModel();
  emit namesReplaced();
}

void TopicListModel::Resync() {
  if (seenRevision_ == project_.itemsRevision()) return;
  RowsResetting();
  RowsReset();
}

// ---- the widest name ----

void TopicListModel::SetFont(const QFont& font) {
  const QFontMetricsF metrics(font);
  for (int c = 0; c < 256; ++c) {
    advance_[static_cast<std::size_t>(c)] =
        metrics.horizontalAdvance(FromModel(std::string(1, static_cast<char>(c))));
  }
  MeasureAll();
}

int TopicListModel::Measure(const std::string& name) const {
  qreal width = 0;
  for (const char c : name) width += advance_[static_cast<unsigned char>(c)];
  return static_cast<int>(std::ceil(width));
}

void TopicListModel::CountWidth(const std::string& name, int delta) {
  const int before = widestName();
  int& count = widths_[Measure(name)];
  count += delta;
  if (count <= 0) widths_.erase(Measure(name));
  if (widestName() != before) emit widestNameChanged();
}

void TopicListModel::MeasureAll() {
  widths_.clear();
  for (const project::ListItem& item : project_.items()) ++widths_[Measure(item.text)];
  emit widestNameChanged();
}

int TopicListModel::NameWidth(int modelRow) const {
  const int row = ProjectRow(modelRow);
  return row < 0 ? 0 : Measure(project_.items()[static_cast<std::size_t>(row)].text);
}

int TopicListModel::widestName() const {
  return widths_.empty() ? 0 : widths_.rbegin()->first;
}

}  // namespace qs::ui
