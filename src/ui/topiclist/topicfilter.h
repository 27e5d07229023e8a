#pragma once

#include <QPersistentModelIndex>
#include <QSortFilterProxyModel>
#include <cstdint>
#include <string>
#include <vector>

namespace qs::ui {

class TopicListModel;

// The rows of the topic list that the filter above it lets through: the names that hold its
// text, without regard to letter case, in display order. An empty text lets every row through.
//
// A row added while a filter is active is shown even when its name does not match: it is the
// row the author just made, and it is selected. It stays, wherever it is moved, until the
// text changes or all rows are replaced.
class TopicFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit TopicFilter(TopicListModel* rows, QObject* parent = nullptr);

  void SetText(const QString& text);
  // Which pages pass besides the text: all, only those not yet documented, only those with
  // problems.
  enum class Pages { All, Undocumented, WithProblems };
  void SetPages(Pages pages);
  Pages pages() const { return pages_; }
  // The marks the pages are narrowed by changed.
  void MarksChanged();
  bool filtered() const { return !needle_.empty() || pages_ != Pages::All; }

  // The project's row of a row of the filter, and back; -1 when there is none (or it is
  // filtered out).
  int ProjectRow(int shownRow) const;
  int ShownRow(int projectRow) const;

  // A flat list: rows never have children, which a view asks of every row it lays out. Answered
  // here rather than mapped to the list model and back for each row.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;

 signals:
  // The filter began to filter (it follows the list model from now on and shows its rows), or
  // stopped (it is about to let go of the list model, which shows every row itself).
  void filteringChanged(bool filtering);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  // After the text or the pages changed: takes up or lets go of the list model, or filters
  // again.
  void Refilter(bool wasFiltered);
  // Whether a row is among the pages the filter lets through.
  bool PagePasses(int sourceRow) const;
  // Whether the folded name of a row holds the folded needle.
  bool HoldsNeedle(int sourceRow) const;
  // The row just added, and whether it is this one: asked only when there is such a row, as
  // the proxy asks about every row on each keystroke.
  void SetAdded(const QModelIndex& row);
  bool IsAdded(int sourceRow) const { return hasAdded_ && added_.row() == sourceRow; }
  void Follow();
  void LetGo();

  TopicListModel* rows_;
  std::string needle_;
  // The needle with its letter case folded, as the list model keeps the names.
  std::string foldedNeedle_;
  std::uint32_t needleKinds_ = 0;
  Pages pages_ = Pages::All;
  // The row being added under the filter, before and after the filter has placed it.
  int adding_ = -1;
  QPersistentModelIndex added_;
  bool hasAdded_ = false;
  // The filter's own connections to the list model, while it follows it.
  std::vector<QMetaObject::Connection> following_;
};

}  // namespace qs::ui
