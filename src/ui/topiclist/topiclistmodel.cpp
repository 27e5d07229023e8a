#include "ui/topiclist/topiclistmodel.h"

#include <algorithm>

#include "text/textsearch.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

QString KindName(project::TopicKind kind) {
  switch (kind) {
    case project::TopicKind::IndexPage:
      return QStringLiteral("Index page");
    case project::TopicKind::FunctionPage:
      return QStringLiteral("Function");
    case project::TopicKind::UserTopic:
      return QStringLiteral("User topic");
    case project::TopicKind::UserIndexEntry:
      return QStringLiteral("Index heading");
  }
  return {};
}

}  // namespace

TopicListModel::TopicListModel(project::HelpProject& project, QObject* parent)
    : QAbstractListModel(parent),
      project_(project),
      seenRevision_(project.itemsRevision()),
      pageIcon_(PageIcon()),
      indexIcon_(IndexIcon()),
      blankPageIcon_(BlankPageIcon()) {
  RefoldAll();
  project_.SetRowObserver(this);
}

TopicListModel::~TopicListModel() {
  project_.SetRowObserver(nullptr);
}

int TopicListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(project_.ItemCount());
}

QVariant TopicListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const project::ListItem& item = project_.items()[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return FromModel(item.text);
  if (role == Qt::DecorationRole) {
    if (item.icon == project::TopicIcon::IndexIcon) return indexIcon_;
    return undocumented_.contains(item.text) ? blankPageIcon_ : pageIcon_;
  }
  if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
    QStringList marks;
    // A screen reader cannot see the row's picture: it hears what kind of page the row is.
    if (role == Qt::AccessibleDescriptionRole) {
      if (const project::Topic* topic = project_.FindTopic(item.text))
        marks << KindName(topic->Kind());
    }
    if (undocumented_.contains(item.text)) marks << QStringLiteral("Not yet documented");
    const int problems = Problems(index.row());
    if (problems == 1) marks << QStringLiteral("1 problem");
    if (problems > 1) marks << QStringLiteral("%1 problems").arg(problems);
    return marks.isEmpty() ? QVariant() : QVariant(marks.join(QStringLiteral("; ")));
  }
  return {};
}

const std::string& TopicListModel::NameAt(int row) const {
  return project_.items()[static_cast<std::size_t>(row)].text;
}

void TopicListModel::SetMarks(std::unordered_set<std::string> undocumented,
                              std::unordered_map<std::string, int> problems) {
  if (undocumented == undocumented_ && problems == problems_) return;
  undocumented_ = std::move(undocumented);
  problems_ = std::move(problems);
  if (rowCount() == 0) return;
  emit dataChanged(index(0), index(rowCount() - 1),
                   {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

bool TopicListModel::Undocumented(int row) const {
  return undocumented_.contains(NameAt(row));
}

int TopicListModel::Problems(int row) const {
  const auto found = problems_.find(NameAt(row));
  return found == problems_.end() ? 0 : found->second;
}

QStringList TopicListModel::AllNames() const {
  QStringList names;
  names.reserve(static_cast<qsizetype>(project_.ItemCount()));
  for (const project::ListItem& item : project_.items()) names.append(FromModel(item.text));
  return names;
}

// ---- following the project's rows ----
// The folded names follow each change before it is signalled: the filter above reads them as
// it handles the signal.

TopicListModel::Folded TopicListModel::Fold(const std::string& name) {
  Folded folded{text::FoldedCase(name)};
  folded.kinds = text::ByteKinds(folded.text);
  return folded;
}

void TopicListModel::RefoldAll() {
  folded_.clear();
  folded_.reserve(project_.ItemCount());
  for (const project::ListItem& item : project_.items()) folded_.push_back(Fold(item.text));
}

// The rows were replaced behind the model's back (a project assigned over the one shown) and
// then changed: the change is passed on as a reset, since the rows it would name are not the
// rows the views have.
bool TopicListModel::BeginOutOfStep() {
  outOfStep_ = seenRevision_ != project_.itemsRevision();
  if (outOfStep_) beginResetModel();
  return outOfStep_;
}

bool TopicListModel::EndOutOfStep() {
  if (!outOfStep_) return false;
  outOfStep_ = false;
  RowsReset();
  return true;
}

void TopicListModel::RowInserting(std::size_t row) {
  if (BeginOutOfStep()) return;
  beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}

void TopicListModel::RowInserted(std::size_t row) {
  if (EndOutOfStep()) return;
  seenRevision_ = project_.itemsRevision();
  folded_.insert(folded_.begin() + static_cast<std::ptrdiff_t>(row),
                 Fold(project_.items()[row].text));
  endInsertRows();
  emit nameAdded(FromModel(project_.items()[row].text));
}

void TopicListModel::RowRemoving(std::size_t row) {
  if (BeginOutOfStep()) return;
  removingName_ = project_.items()[row].text;
  beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}

void TopicListModel::RowRemoved(std::size_t row) {
  if (EndOutOfStep()) return;
  seenRevision_ = project_.itemsRevision();
  folded_.erase(folded_.begin() + static_cast<std::ptrdiff_t>(row));
  endRemoveRows();
  emit nameRemoved(FromModel(removingName_));
}

// A move is passed on as a change of the rows it passes over: their names change places. A
// filter above then checks only those rows again, and a view repaints only them, where a move
// signal would make the filter remap and the view lay out every row of the list.
void TopicListModel::RowMoving(std::size_t, std::size_t) {
  BeginOutOfStep();
}

void TopicListModel::RowMoved(std::size_t from, std::size_t to) {
  if (EndOutOfStep()) return;
  seenRevision_ = project_.itemsRevision();
  const auto at = [this](std::size_t row) {
    return folded_.begin() + static_cast<std::ptrdiff_t>(row);
  };
  if (from < to) {
    std::rotate(at(from), at(from + 1), at(to + 1));
  } else {
    std::rotate(at(to), at(from), at(from + 1));
  }
  emit rowMoved(static_cast<int>(from), static_cast<int>(to));
  emit dataChanged(index(static_cast<int>(std::min(from, to))),
                   index(static_cast<int>(std::max(from, to))));
}

void TopicListModel::RowChanged(std::size_t row) {
  seenRevision_ = project_.itemsRevision();
  if (folded_.size() == project_.ItemCount()) {
    folded_[row] = Fold(project_.items()[row].text);
  } else {
    RefoldAll();
  }
  const QModelIndex changed = index(static_cast<int>(row));
  emit dataChanged(changed, changed);
}

void TopicListModel::RowsResetting() {
  beginResetModel();
}

void TopicListModel::RowsReset() {
  seenRevision_ = project_.itemsRevision();
  RefoldAll();
  endResetModel();
  emit namesReplaced();
}

void TopicListModel::Resync() {
  if (seenRevision_ == project_.itemsRevision()) return;
  RowsResetting();
  RowsReset();
}

}  // namespace qs::ui
