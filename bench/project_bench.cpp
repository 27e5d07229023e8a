// The topic list operations on a large project: 20,000 function pages grouped by 200 user
// index entries, the Index page first and the License last.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "project/helpproject.h"
#include "project/history.h"
#include "project/topicops.h"
#include "project/usertopics.h"

namespace {

using qs::project::HelpProject;
using qs::project::Topic;
using qs::project::TopicIcon;

HelpProject LargeProject() {
  HelpProject project;
  Topic index;
  index.name = "Index";
  index.icon = TopicIcon::IndexIcon;
  project.AppendTopic(index);
  for (int group = 0; group < 200; ++group) {
    Topic entry;
    entry.name = "Group" + std::to_string(group);
    entry.isUserIndex = true;
    entry.icon = TopicIcon::IndexIcon;
    project.AppendTopic(entry);
    for (int i = 0; i < 100; ++i) {
      Topic function;
      function.name = "Function" + std::to_string(group * 100 + i);
      function.parameters = "(Value.l, Text$)";
      function.summary = function.name + function.parameters;
      function.body = "Does something useful with the value and the text.";
      project.AppendTopic(function);
    }
  }
  Topic license;
  license.name = "License";
  license.isUserTopic = true;
  project.AppendTopic(license);
  project.RefillItemsFromStore();
  return project;
}

// What the first read of a list costs after the rows changed (a row moved).
void BM_FirstListReadAfterAMove(benchmark::State& state) {
  HelpProject project = LargeProject();
  project.RemakeLists();  // the lists follow the rows, as after any move
  for (auto _ : state) {
    project.MoveItem(1, 2);
    benchmark::DoNotOptimize(project.Body(0).data());
  }
}
BENCHMARK(BM_FirstListReadAfterAMove)->Unit(benchmark::kMillisecond);

void BM_MoveTopicUpAndDown(benchmark::State& state) {
  HelpProject project = LargeProject();
  for (auto _ : state) {
    project.SelectRow(10'000);
    qs::project::MoveTopicUp(project);
    qs::project::MoveTopicDown(project);
  }
}
BENCHMARK(BM_MoveTopicUpAndDown)->Unit(benchmark::kMillisecond);

void BM_DeleteSelectedTopic(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HelpProject project = LargeProject();
    project.SelectRow(10'000);
    project.SetShownTopic(project.ItemText(10'000));
    state.ResumeTiming();
    qs::project::DeleteSelectedTopic(project);
    benchmark::DoNotOptimize(project.TopicCount());
  }
}
BENCHMARK(BM_DeleteSelectedTopic)->Unit(benchmark::kMillisecond);

void BM_AddUserIndex(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HelpProject project = LargeProject();
    project.SelectRow(10'000);
    state.ResumeTiming();
    auto outcome = qs::project::AddUserIndex(project, "NewGroup");
    benchmark::DoNotOptimize(outcome);
  }
}
BENCHMARK(BM_AddUserIndex)->Unit(benchmark::kMillisecond);

// Beside BM_MoveTopicUpAndDown: the same two moves, recorded in the undo history.
void BM_MoveUpAndDownRecorded(benchmark::State& state) {
  HelpProject project = LargeProject();
  qs::project::UndoHistory history;
  for (auto _ : state) {
    project.ShowRow(10'000);
    history.Record(qs::project::MoveUp(project));
    history.Record(qs::project::MoveDown(project));
  }
}
BENCHMARK(BM_MoveUpAndDownRecorded)->Unit(benchmark::kMillisecond);

// Undoes and redoes the change `make` records at row 10,000.
void UndoAndRedo(benchmark::State& state,
                 std::unique_ptr<qs::project::Change> (*make)(HelpProject&)) {
  HelpProject project = LargeProject();
  qs::project::UndoHistory history;
  project.ShowRow(10'000);
  history.Record(make(project));
  for (auto _ : state) {
    history.Undo(project);
    history.Redo(project);
  }
}

void BM_UndoAndRedoMove(benchmark::State& state) {
  UndoAndRedo(state, qs::project::MoveUp);
}
BENCHMARK(BM_UndoAndRedoMove)->Unit(benchmark::kMillisecond);

// Beside BM_DeleteSelectedTopic.
void BM_UndoAndRedoDelete(benchmark::State& state) {
  UndoAndRedo(state, qs::project::DeleteSelected);
}
BENCHMARK(BM_UndoAndRedoDelete)->Unit(benchmark::kMillisecond);

// A thousand moves recorded, and the memory their history holds (the counter, in bytes).
void BM_HistoryOfAThousandMoves(benchmark::State& state) {
  HelpProject project = LargeProject();
  std::size_t bytes = 0;
  for (auto _ : state) {
    qs::project::UndoHistory history;
    project.ShowRow(10'000);
    for (int i = 0; i < 500; ++i) {
      history.Record(qs::project::MoveUp(project));
      history.Record(qs::project::MoveDown(project));
    }
    bytes = history.Bytes();
  }
  state.counters["history_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryOfAThousandMoves)->Unit(benchmark::kMillisecond);

}  // namespace
