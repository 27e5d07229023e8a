#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "project/helpproject.h"

namespace qs::ui {

// The rows of the topic list as a view sees them: the project's display order, read where the
// project keeps it. The project tells the model of each change, and the model passes it on as
// the row signals of that change (an insertion, a removal; a move changes the rows between), so
// a view redraws what changed rather than the whole list; only replacing all rows resets it. A
// TopicFilter above it narrows the rows; the view measures the names.
class TopicListModel : public QAbstractListModel, private project::RowObserver {
  Q_OBJECT

 public:
  TopicListModel(project::HelpProject& project, QObject* parent = nullptr);
  ~TopicListModel() override;
  TopicListModel(const TopicListModel&) = delete;
  TopicListModel& operator=(const TopicListModel&) = delete;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The name of a row as the project stores it (Windows-1252); the row must exist.
  const std::string& NameAt(int row) const;
  // The same name with letter case folded (text::FoldedCase), kept row by row as the rows
  // change, for the filter that searches every name on each keystroke.
  const std::string& FoldedNameAt(int row) const {
    return folded_[static_cast<std::size_t>(row)].text;
  }
  // Which kinds of byte the folded name holds (text::ByteKinds): a name that lacks a kind the
  // needle holds cannot hold the needle, which rules most names out without a search.
  std::uint32_t ByteKindsAt(int row) const { return folded_[static_cast<std::size_t>(row)].kinds; }
  // Every name of the project.
  QStringList AllNames() const;

  // What the checker found, by page name (Windows-1252): the function pages not yet
  // documented, and how many problems each page has. A page not yet documented shows a blank
  // sheet, and says so to a tooltip and a screen reader; a screen reader hears each row's
  // kind of page first.
  void SetMarks(std::unordered_set<std::string> undocumented,
                std::unordered_map<std::string, int> problems);
  bool Undocumented(int row) const;
  int Problems(int row) const;

  // Brings the rows up to date after the project's rows were replaced behind the model's back
  // (a project assigned over the one shown): a reset, and only then.
  void Resync();

 signals:
  // A name was added or removed, or all were replaced; not sent for a move.
  void nameAdded(const QString& name);
  void nameRemoved(const QString& name);
  void namesReplaced();
  // The row `from` went to `to`; sent just before the rows between are reported changed.
  void rowMoved(int from, int to);

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
  void RefoldAll();
  bool BeginOutOfStep();
  bool EndOutOfStep();

  project::HelpProject& project_;
  std::size_t seenRevision_ = 0;
  QIcon pageIcon_;
  QIcon indexIcon_;
  QIcon blankPageIcon_;
  std::unordered_set<std::string> undocumented_;
  std::unordered_map<std::string, int> problems_;
  // A name folded, with the kinds of byte it holds.
  struct Folded {
    std::string text;
    std::uint32_t kinds = 0;
  };
  static Folded Fold(const std::string& name);
  std::vector<Folded> folded_;
  std::string removingName_;
  bool outOfStep_ = false;
};

}  // namespace qs::ui
