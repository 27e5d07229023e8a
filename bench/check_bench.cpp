// The check of a 20,000-page project, each figure beside the time to build the same pages:
// the whole project as `quillsmith-cli check` runs it (and as the Problems panel checks it
// again after one page changed) against writing its help folder, and
// one page checked again after a keystroke, as the Problems panel does, against writing that
// one page as the live pane does. Every page carries markup, links, a picture and an example,
// so that every field goes through the HTML checker: the most a project of this size costs.

#include <benchmark/benchmark.h>

#include <string>

#include "check/pagecheck.h"
#include "check/projectcheck.h"
#include "flows/checksources.h"
#include "gadgetproject.h"
#include "output/autolinker.h"
#include "output/helpfolder.h"
#include "output/pagewriter.h"
#include "project/topicform.h"
#include "support/tempfolder.h"

namespace {

using namespace qs;

constexpr std::size_t kPages = 20000;

std::string PageName(std::size_t i) {
  return "Gadget" + std::to_string(100000 + i);
}

const project::HelpProject& MarkedUpProject() {
  static const project::HelpProject project =
      bench::GeneratedHelp("BigLib", kPages, [](std::size_t i) {
        project::Topic topic;
        topic.name = PageName(i);
        topic.title = topic.name + "()";
        topic.parameters = "(#Gadget, x, y, Width, Height, Flags)";
        topic.summary = topic.name + topic.parameters;
        topic.body = "Creates the gadget at <b>the given place</b>; see <a href=\"" +
                     PageName((i + 1) % kPages) + ".html\">" + PageName((i + 1) % kPages) +
                     "</a> for its events.\r\n<i>Flags</i> combine with | &amp; are checked "
                     "on creation.\r\n<img src=\"art/shot.png\">";
        if (i % 100 == 0) topic.body += " <b>unclosed";
        topic.example = "If OpenWindow(0, 0, 0, 200, 100, \"x\")\r\n\t" + topic.name +
                        "(0, 5, 5, 100, 20) ; <b>note</b>\r\nEndIf";
        return topic;
      });
  return project;
}

const testsupport::TempFolder scratch;

// What the check reads: the help folder, with the picture the pages show.
std::string HelpFolder() {
  static const std::string folder = [] {
    scratch.Write("help/art/shot.png", std::string(64, 'p'));
    return scratch.Path("help/");
  }();
  return folder;
}

void BM_CheckWholeProject(benchmark::State& state) {
  const auto& project = MarkedUpProject();
  const std::string folder = HelpFolder();
  std::size_t problems = 0;
  for (auto _ : state) {
    const flows::CheckSources sources = flows::ReadCheckSources(project, folder);
    const check::PageChecker checker(project, sources.folderFiles);
    problems = check::CheckProject(project, sources.libraryHelps, checker).problems.size();
    benchmark::DoNotOptimize(problems);
  }
  state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_CheckWholeProject)->Unit(benchmark::kMillisecond);

// The Problems panel's check of the whole project after the author changed one page (the rows
// changed, or the window came back into view): only that page is looked at again. Beside the
// whole check above and the build below.
void BM_CheckProjectAfterOnePageChanged(benchmark::State& state) {
  project::HelpProject project = MarkedUpProject();
  const std::string folder = HelpFolder();
  check::RepeatedCheck repeated;
  const flows::CheckSources first = flows::ReadCheckSources(project, folder);
  repeated.Check(project, first.libraryHelps, first.folderFiles, false);
  std::size_t round = 0;
  for (auto _ : state) {
    project.TopicAt(kPages / 2).body += std::to_string(++round);
    const flows::CheckSources sources = flows::ReadCheckSources(project, folder);
    benchmark::DoNotOptimize(
        repeated.Check(project, sources.libraryHelps, sources.folderFiles, false));
  }
  state.counters["looked at"] = static_cast<double>(repeated.lastChecked());
}
BENCHMARK(BM_CheckProjectAfterOnePageChanged)->Unit(benchmark::kMillisecond);

// The baseline: the same pages written into a help folder.
void BM_BuildSamePages(benchmark::State& state) {
  const auto& project = MarkedUpProject();
  const std::string folder = scratch.Path("build/");
  output::BuildRecord record;
  for (auto _ : state) {
    text::Reports reports;
    benchmark::DoNotOptimize(output::BuildHelpFolder(project, {}, folder, record, reports));
  }
}
BENCHMARK(BM_BuildSamePages)->Unit(benchmark::kMillisecond);

// A keystroke in the description: the form's texts applied to a copy of the page and the
// page checked against the project's pages and files, as the Problems panel does.
void BM_RecheckOnePageAfterKeystroke(benchmark::State& state) {
  const auto& project = MarkedUpProject();
  const flows::CheckSources sources = flows::ReadCheckSources(project, HelpFolder());
  const check::PageChecker checker(project, sources.folderFiles);
  const std::size_t pos = kPages / 2;
  project::EditForm form{project.TopicAt(pos).title, project.TopicAt(pos).summary,
                         project.TopicAt(pos).body + " x", project.TopicAt(pos).example};
  for (auto _ : state) {
    project::Topic page = project.TopicAt(pos);
    project::ApplyForm(page, form);
    benchmark::DoNotOptimize(checker.Check(page, page.body));
  }
}
BENCHMARK(BM_RecheckOnePageAfterKeystroke)->Unit(benchmark::kMicrosecond);

// The baseline: the same page written as the live pane shows it after that keystroke.
void BM_BuildOnePage(benchmark::State& state) {
  const auto& project = MarkedUpProject();
  const output::AutoLinker linker(project);
  const std::size_t pos = kPages / 2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(output::TopicPageText(project, project.TopicAt(pos), {}, linker));
  }
}
BENCHMARK(BM_BuildOnePage)->Unit(benchmark::kMicrosecond);

}  // namespace
