// The website beside the help folder of the same 5,000-page project in the same run (the site
// should cost no more than twice the help folder), and the search as a reader meets it: the
// answer shown in a headless Chromium for a query typed into a site of 20,000 pages, beside
// the same at 1,000 pages. The browser is driven by bench/searchtimer.mjs, which times each
// answer inside the page; each iteration here is one answer.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "gadgetproject.h"
#include "output/buildrecord.h"
#include "output/helpfolder.h"
#include "output/website.h"
#include "support/tempfolder.h"

namespace {

using namespace qs;

const testsupport::TempFolder scratch;

void BM_HelpFolder5000(benchmark::State& state) {
  output::BuildRecord record;
  for (auto _ : state) {
    text::Reports reports;
    const std::string log =
        output::BuildHelpFolder(bench::GadgetProject(), {}, scratch.Path("help/"), record, reports);
    if (log.empty()) state.SkipWithError("build failed");
  }
  state.counters["pages"] = static_cast<double>(bench::kGadgetFunctions + 1);
}
BENCHMARK(BM_HelpFolder5000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Website5000(benchmark::State& state) {
  // The pictures are looked for in the help folder, as a project with one does.
  output::BuildRecord record;
  text::Reports built;
  output::BuildHelpFolder(bench::GadgetProject(), {}, scratch.Path("help/"), record, built);
  for (auto _ : state) {
    text::Reports reports;
    const std::string log = output::WriteWebsite(bench::GadgetProject(), {}, scratch.Path("site/"),
                                                 scratch.Path("help/"), reports);
    if (log.empty()) state.SkipWithError("website failed");
  }
  state.counters["pages"] = static_cast<double>(bench::kGadgetFunctions + 1);
}
BENCHMARK(BM_Website5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- the search in the browser ----

std::string WidgetName(std::size_t i) {
  std::string name = "Widget";
  for (std::size_t n = 26 * 26 * 26; n > 0; n /= 26) {
    name.push_back(static_cast<char>('A' + i / n % 26));
  }
  return name;
}

// A site of `pages` function pages, each description 300 bytes with one word of its own.
std::string SearchSite(std::size_t pages) {
  const std::string folder = scratch.Path("search" + std::to_string(pages) + "/");
  const auto project = bench::GeneratedHelp("Search", pages, [](std::size_t i) {
    project::Topic topic;
    topic.name = WidgetName(i);
    topic.title = "The widget " + topic.name;
    topic.parameters = "(#Widget, Flags)";
    std::string body = "Draws the widget with its own mark q" + std::to_string(i) +
                       "z; the flags combine with | and are checked when it is made. ";
    while (body.size() < 300) body += "Every widget keeps its state until it is freed. ";
    body.resize(300);
    topic.body = body;
    return topic;
  });
  text::Reports reports;
  if (output::WriteWebsite(project, {}, folder, {}, reports).empty()) return {};
  return folder;
}

// The driver: a Node process that keeps a page of the site open in Chromium, types each
// query it reads on a line into the search field and answers with the milliseconds the
// answer took in the page.
class SearchTimer {
 public:
  explicit SearchTimer(const std::string& site) {
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(toChild[0], 0);
      dup2(fromChild[1], 1);
      close(toChild[1]);
      close(fromChild[0]);
      const std::string page = "file://" + site + "Index.html";
      execl(QS_NODE, QS_NODE, QS_SEARCH_TIMER, QS_CHROMIUM, page.c_str(), nullptr);
      _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    to_ = fdopen(toChild[1], "w");
    from_ = fdopen(fromChild[0], "r");
    ready_ = ReadLine() == "ready";
  }
  ~SearchTimer() {
    if (to_ != nullptr) fclose(to_);
    if (from_ != nullptr) fclose(from_);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool ready() const { return ready_; }

  // Milliseconds, and how many pages were found; negative when the driver failed.
  double Answer(const std::string& query, double& found) {
    fprintf(to_, "%s\n", query.c_str());
    fflush(to_);
    const std::string line = ReadLine();
    if (line.empty()) return -1;
    const auto space = line.find(' ');
    found = std::stod(line.substr(space + 1));
    return std::stod(line.substr(0, space));
  }

 private:
  std::string ReadLine() {
    char buffer[256];
    if (from_ == nullptr || fgets(buffer, sizeof buffer, from_) == nullptr) return {};
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
  }

  pid_t pid_ = -1;
  FILE* to_ = nullptr;
  FILE* from_ = nullptr;
  bool ready_ = false;
};

// query 0: a word only one description holds; query 1: a word every page holds.
void BM_SearchInBrowser(benchmark::State& state) {
  if (std::string(QS_NODE).empty() || std::string(QS_CHROMIUM).empty()) {
    return state.SkipWithError("no chromium or node");
  }
  const auto pages = static_cast<std::size_t>(state.range(0));
  static std::map<std::size_t, std::string> sites;
  if (sites[pages].empty()) sites[pages] = SearchSite(pages);
  if (sites[pages].empty()) return state.SkipWithError("the site could not be written");
  SearchTimer timer(sites[pages]);
  if (!timer.ready()) return state.SkipWithError("the browser could not be driven");
  const std::string query =
      state.range(1) == 0 ? "q" + std::to_string(pages * 5 / 8) + "z" : "freed";
  double found = 0;
  for (auto _ : state) {
    const double ms = timer.Answer(query, found);
    if (ms < 0) return state.SkipWithError("no answer");
    state.SetIterationTime(ms / 1000.0);
  }
  state.counters["found"] = found;
}
BENCHMARK(BM_SearchInBrowser)
    ->ArgsProduct({{1000, 20000}, {0, 1}})
    ->ArgNames({"pages", "everyPage"})
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

}  // namespace
