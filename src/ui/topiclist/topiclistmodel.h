#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QIcon>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "project/helpproject.h"

namespace qs::ui {

// The rows of the topic list as a view sees them: the project's display order, read where the
// project keeps it. The project tells the model of each change, and the model passes it on as
// the row signals of that change (an insertion, a removal, a move), so a view redraws what
// changed rather than the whole list; only replacing all rows resets it.
//
// A filter narrows the rows to the names that hold a text, in display order. A row added
// while a filter is active is shown even when its name does not match: it is the row the
// author just made, and it is selected.
//
// The model also knows the width of the widest name, kept up to date row by row, so that the
// list's column fits its names without measuring every row.
class TopicListModel : public QAbstractListModel, private project::RowObserver {
  Q_OBJECT

 public:
  TopicListModel(project::HelpProject& project, QObject* parent = nullptr);
  ~TopicListModel() override;
  TopicListModel(const TopicListModel&) = delete;
  TopicListModel& operator=(const TopicListModel&) = delete;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Shows only the names that hold `text`, without regard to letter case; an empty text shows
  // every row.
  void SetFilter(const QString& text);
  bool filtered() const { return filtering_; }
  // The project's row of a row of the model, and back; -1 when there is none (or it is
  // filtered out).
  int ProjectRow(int modelRow) const;
  int ModelRow(int projectRow) const;
  // Every name of the project, filtered out or not.
  QStringList AllNames() const;

  // Names are measured in this font.
  void SetFont(const QFont& font);
  // The width the widest name of the project needs, in pixels of that font, and the width of
  // the name of one row of the model.
  int widestName() const;
  int NameWidth(int modelRow) const;
  // Brings the rows up to date after the project's rows were replaced behind the model's back
  // (a project assigned over the one shown): a reset, and only then.
  void Resync();

 signals:
  void widestNameChanged();
  // A name was added or removed, or all were replaced; not sent for a move or a filter.
  void nameAdded(const QString& name);
  void nameRemoved(const QString& name);
  void namesReplaced();

 private:
  void RowInserting(std::size_t row) override;
  void RowInserted(std::size_t row) override;
  void RowRemoving(std::size_t row) override;
  void RowRemoved(std::size_t row) override;
  void RowMoving(std::size_t from, std::size_t to) override;
  void RowMoved(std::size_t from, std::size_t to) override;
  void RowChanged(std::size_t row) override;
  void RowsResetting() override;
  void RowsReset() override;

  bool Matches(std::size_t row) const;
  void Refilter();
  // The width of a name from the advances of its characters.
  int Measure(const std::string& name) const;
  void CountWidth(const std::string& name, int delta);
  void MeasureAll();

  project::HelpProject& project_;
  std::size_t seenRevision_ = 0;
  QIcon pageIcon_;
  QIcon indexIcon_;
  // With a filter: the project rows shown, ascending.
  bool filtering_ = false;
  std::string needle_;
  std::vector<int> shown_;
  bool removingShown_ = false;
  std::string removingName_;
  bool movingShown_ = false;
  // Advance of each of the 256 characters, and how many names have each width.
  std::array<qreal, 256> advance_{};
  std::map<int, int> widths_;
};

}  // namespace qs::ui
