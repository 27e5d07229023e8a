// Start-up as the author meets it, measured from outside through the X server: from spawning
// the real program to its main window mapped on the screen (the X MapNotify of the window, or
// of the window manager's frame around it), without a project and with a project of 20,000
// topics named on the command line, beside a bare Qt Widgets window of the same size spawned
// in the same run, empty and with one line of text, and each start of the program paired with
// a start of the empty bare window. Each start is a fresh process with fresh settings; each
// repetition is one start, so that the median is the median start. It needs an X display (run
// it under xvfb-run, with a window manager or without).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/librarygenerator.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The X connection that watches the root window for windows being created and mapped.
class RootWatch {
 public:
  RootWatch() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_) != 0) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    ok_ = true;
  }
  ~RootWatch() { xcb_disconnect(connection_); }
  RootWatch(const RootWatch&) = delete;
  RootWatch& operator=(const RootWatch&) = delete;

  bool ok() const { return ok_; }

  // Forgets what happened before a start.
  void Drain() {
    Sync();
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
    created_.clear();
  }

  // Waits up to `timeout` for a top-level window to be mapped; its id, or 0.
  xcb_window_t WaitForMap(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const uint8_t type = event->response_type & 0x7f;
        xcb_window_t mapped = 0;
        if (type == XCB_CREATE_NOTIFY) {
          created_.insert(reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
        } else if (type == XCB_MAP_NOTIFY) {
          const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
          if (map->override_redirect == 0) mapped = map->window;
        }
        std::free(event);
        if (mapped != 0) return mapped;
      }
      pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
      poll(&descriptor, 1, static_cast<int>(std::max<long>(left.count(), 0)) + 1);
    }
    return 0;
  }

  // The size of the program's own window mapped as `mapped`: the window itself, or the one
  // of the program inside a window manager's frame.
  std::pair<int, int> ClientSize(xcb_window_t mapped) {
    if (created_.count(mapped) != 0) {
      xcb_get_geometry_reply_t* geometry =
          xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, mapped), nullptr);
      if (geometry == nullptr) return {0, 0};
      const std::pair<int, int> size{geometry->width, geometry->height};
      std::free(geometry);
      return size;
    }
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, mapped), nullptr);
    if (tree == nullptr) return {0, 0};
    std::pair<int, int> size{0, 0};
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && size.first == 0; ++i) {
      size = ClientSize(children[i]);
    }
    std::free(tree);
    return size;
  }

 private:
  // Every event the server has sent so far has arrived.
  void Sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  bool ok_ = false;
  // The top-level windows made since the last start.
  std::set<xcb_window_t> created_;
};

RootWatch& Watch() {
  static RootWatch watch;
  return watch;
}

// A folder that lives for the whole run.
const fs::path& RunFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "qs-startup-XXXXXX").string();
    return fs::path(mkdtemp(pattern.data()));
  }();
  return folder;
}

// The project of `topics` functions, made once by the command-line program from a generated
// library; empty for no project.
std::string ProjectOf(int topics) {
  static std::map<int, std::string> made;
  if (topics == 0) return {};
  auto& path = made[topics];
  if (!path.empty()) return path;
  const fs::path library = RunFolder() / ("Synthetic" + std::to_string(topics));
  const fs::path project = RunFolder() / ("Synthetic" + std::to_string(topics) + ".qsp");
  qs::testsupport::WriteLibraryFile(
      library.string(), qs::testsupport::SyntheticLibraryRecipe(static_cast<std::size_t>(topics)));
  const std::string command = std::string(QS_CLI_PATH) + " extract '" + library.string() + "' '" +
                              project.string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0 || !fs::exists(project)) return {};
  path = project.string();
  return path;
}

// Spawns `arguments` with its own empty home folder (fresh settings) and waits for its first
// window to be mapped: the milliseconds from the spawn, or a negative number. The size of the
// window is left in `size`. The program is ended afterwards.
double SpawnToMapped(const std::vector<std::string>& arguments, std::pair<int, int>* size) {
  static int start = 0;
  const fs::path home = RunFolder() / ("home" + std::to_string(++start));
  fs::create_directories(home);
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string entry = *variable;
    if (entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_CONFIG_HOME=", 0) == 0 ||
        entry.rfind("QT_QPA_PLATFORM=", 0) == 0) {
      continue;
    }
    environment.push_back(entry);
  }
  environment.push_back("HOME=" + home.string());
  environment.push_back("QT_QPA_PLATFORM=xcb");
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  Watch().Drain();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const auto spawned = Clock::now();
  const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;
  const xcb_window_t mapped = Watch().WaitForMap(std::chrono::seconds(30));
  const double milliseconds =
      std::chrono::duration<double, std::milli>(Clock::now() - spawned).count();
  if (mapped != 0 && size != nullptr) *size = Watch().ClientSize(mapped);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return mapped != 0 ? milliseconds : -1;
}

// The main window's size as the program opens it, learned from a first start.
std::pair<int, int> MainWindowSize() {
  static std::pair<int, int> size{0, 0};
  if (size.first == 0) SpawnToMapped({QS_PROGRAM_PATH}, &size);
  return size;
}

void Report(benchmark::State& state, double milliseconds) {
  if (milliseconds < 0) {
    state.SkipWithError("no window was mapped within 30 seconds");
    return;
  }
  state.SetIterationTime(milliseconds / 1000);
}

// The program, with no project or with one of `state.range(0)` topics named on its command line;
// `x_bare` is how many times as long it took as the empty bare window started right after it.
void BM_ProgramSpawnToMapped(benchmark::State& state) {
  if (!Watch().ok()) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  const int topics = static_cast<int>(state.range(0));
  std::vector<std::string> arguments = {QS_PROGRAM_PATH};
  if (topics > 0) {
    const std::string project = ProjectOf(topics);
    if (project.empty()) {
      state.SkipWithError("the project could not be made");
      return;
    }
    arguments.push_back(project);
  }
  // Each start is paired with a start of the empty bare window right after it, so that the
  // ratio compares two starts in the same state of the machine.
  const auto [width, height] = MainWindowSize();
  const std::vector<std::string> bare = {QS_BARE_WINDOW_PATH, std::to_string(width),
                                         std::to_string(height)};
  for (auto _ : state) {
    const double program = SpawnToMapped(arguments, nullptr);
    Report(state, program);
    const double baseline = SpawnToMapped(bare, nullptr);
    if (program > 0 && baseline > 0) {
      state.counters["bare_ms"] = baseline;
      state.counters["x_bare"] = program / baseline;
    }
  }
  state.SetLabel(topics == 0 ? "no project" : std::to_string(topics) + " topics");
}

// The baselines: a bare Qt Widgets window of the main window's size; with `state.range(0)`,
// the same window with one line of text, which pays the fonts' set-up as every window with
// words does.
void BM_BareWindowSpawnToMapped(benchmark::State& state) {
  if (!Watch().ok()) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  const auto [width, height] = MainWindowSize();
  if (width == 0) {
    state.SkipWithError("the program's window size could not be learned");
    return;
  }
  std::vector<std::string> arguments = {QS_BARE_WINDOW_PATH, std::to_string(width),
                                        std::to_string(height)};
  const bool text = state.range(0) != 0;
  if (text) arguments.emplace_back("The help of a PureBasic user library");
  for (auto _ : state) Report(state, SpawnToMapped(arguments, nullptr));
  state.SetLabel(std::to_string(width) + " x " + std::to_string(height) +
                 (text ? ", one line of text" : ""));
}

void Starts(benchmark::internal::Benchmark* b) {
  b->Iterations(1)->Repetitions(15)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
      benchmark::kMillisecond);
}
BENCHMARK(BM_BareWindowSpawnToMapped)->Arg(0)->Arg(1)->Apply(Starts);
BENCHMARK(BM_ProgramSpawnToMapped)->Arg(0)->Arg(20000)->Apply(Starts);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(RunFolder(), ignored);
  return 0;
}
