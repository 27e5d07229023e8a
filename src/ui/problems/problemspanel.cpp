#include "ui/problems/problemspanel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/projectcheck.h"
#include "flows/checksources.h"
#include "flows/helpbuild.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {
namespace {

// How long after the last change the check runs: long enough that typing never waits for
// it, short enough that the panel seems to follow.
constexpr int kTypingPause = 400;
constexpr int kProjectPause = 600;

constexpr int kTopicRole = Qt::UserRole;
constexpr int kFieldRole = Qt::UserRole + 1;
constexpr int kLineRole = Qt::UserRole + 2;

QTreeWidgetItem* ItemOf(const check::Problem& problem) {
  auto* item =
      new QTreeWidgetItem({FromModel(problem.page), QString::fromStdString(problem.fieldName),
                           QString::number(problem.line), FromModel(problem.message)});
  item->setData(0, kTopicRole, FromModel(problem.page));
  item->setData(0, kFieldRole, static_cast<int>(problem.field));
  item->setData(0, kLineRole, problem.line);
  item->setToolTip(3, item->text(3));
  return item;
}

// Enter on a problem chooses it, as a double click does.
class ProblemList : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentItem() != nullptr) {
      emit itemActivated(currentItem(), 0);
      return;
    }
    QTreeWidget::keyPressEvent(event);
  }
};

}  // namespace

struct ProblemsPanel::Outcome {
  check::ProjectCheck result;
  std::vector<std::string> names;
  project::LibraryHelpTexts helps;
  std::shared_ptr<const check::PageChecker> checker;
  // What the panel keeps of it, sorted by page on the worker: at tens of thousands of pages
  // the window's thread only compares and takes them.
  std::unordered_map<std::string, std::vector<check::Problem>> problems;
  QHash<QString, int> counts;
  QHash<QString, bool> undocumented;

  void SortByPage() {
    for (check::Problem& problem : result.problems) {
      problems[problem.page].push_back(std::move(problem));
    }
    result.problems.clear();
    for (std::size_t pos = 0; pos < names.size(); ++pos) {
      const check::TopicCheck& topic = result.topics[pos];
      if (topic.problems == 0 && topic.documented) continue;
      const QString name = FromModel(names[pos]);
      if (topic.problems > 0) counts[name] += static_cast<int>(topic.problems);
      if (!topic.documented) undocumented[name] = true;
    }
  }
};

ProblemsPanel::ProblemsPanel(Sources sources, QWidget* parent)
    : QWidget(parent), sources_(std::move(sources)) {
  setObjectName("ProblemsPanel");
  list_ = new ProblemList(this);
  list_->setObjectName("ProblemsList");
  list_->setHeaderLabels({"Page", "Field", "Line", "Problem"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(true);
  list_->setAccessibleName("Problems");
  summary_ = new QLabel(this);
  summary_->setObjectName("ProblemsSummary");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(summary_);
  layout->addWidget(list_);

  projectTimer_ = new QTimer(this);
  projectTimer_->setSingleShot(true);
  projectTimer_->setInterval(kProjectPause);
  connect(projectTimer_, &QTimer::timeout, this, &ProblemsPanel::StartProjectCheck);
  typingTimer_ = new QTimer(this);
  typingTimer_->setSingleShot(true);
  typingTimer_->setInterval(kTypingPause);
  connect(typingTimer_, &QTimer::timeout, this, &ProblemsPanel::RecheckShownPage);
  connect(list_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item, int) { Choose(item); });
}

ProblemsPanel::~ProblemsPanel() {
  if (worker_.joinable()) worker_.join();
}

QSize ProblemsPanel::sizeHint() const {
  const int rows = fontMetrics().height() * 7;
  return {QWidget::sizeHint().width(), summary_->sizeHint().height() + rows};
}

bool ProblemsPanel::isUndocumented(const QString& topic) const {
  return undocumented_.value(topic, false);
}

int ProblemsPanel::problemCount(const QString& topic) const {
  return counts_.value(topic, 0);
}

void ProblemsPanel::projectChanged() {
  projectTimer_->start();
}

void ProblemsPanel::formEdited() {
  typingTimer_->start();
}

void ProblemsPanel::shownPageChanged() {
  if (typingTimer_->isActive()) projectChanged();
}

void ProblemsPanel::StartProjectCheck() {
  if (running_) {
    pending_ = true;
    return;
  }
  if (worker_.joinable()) worker_.join();
  running_ = true;
  pending_ = false;
  // The worker gets a copy: the author goes on editing the project meanwhile.
  auto copy = std::make_shared<project::HelpProject>(sources_.project());
  copy->SetRowObserver(nullptr);
  const bool examplesAreCode = sources_.examplesAreCode && sources_.examplesAreCode();
  if (!repeated_) repeated_ = std::make_shared<check::RepeatedCheck>();
  worker_ = std::thread([this, copy, examplesAreCode, repeated = repeated_] {
    const flows::CheckSources read = flows::ReadCheckSources(*copy, flows::HelpFolderOf(*copy));
    auto outcome = std::make_shared<Outcome>();
    outcome->result = repeated->Check(*copy, read.libraryHelps, read.folderFiles, examplesAreCode);
    outcome->checker = repeated->checker();
    outcome->names.reserve(copy->TopicCount());
    for (const project::Topic& topic : copy->topics()) outcome->names.push_back(topic.name);
    outcome->helps = read.libraryHelps;
    outcome->SortByPage();
    // The panel outlives the worker (its destructor waits for it), and an event posted to
    // it is dropped should it be gone by the time the event is handled.
    QMetaObject::invokeMethod(
        this, [this, outcome] { TakeOutcome(outcome); }, Qt::QueuedConnection);
  });
}

void ProblemsPanel::TakeOutcome(std::shared_ptr<Outcome> outcome) {
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
  running_ = false;
  const bool first = !checker_;
  checker_ = outcome->checker;
  helps_ = std::move(outcome->helps);
  std::unordered_map<std::string, std::vector<check::Problem>>& problems = outcome->problems;
  QHash<QString, int>& counts = outcome->counts;
  QHash<QString, bool>& undocumented = outcome->undocumented;
  // Most checks find what the last one found: the panel and the marks are then left as they
  // are, rather than made again for every page. The list follows the pages' order, which
  // matters only when there are problems to list (a page added or deleted changes the order).
  const bool same = !first && problems == problems_ && counts == counts_ &&
                    undocumented == undocumented_ && outcome->result.coverage == coverage_ &&
                    (problems.empty() || outcome->names == order_);
  coverage_ = outcome->result.coverage;
  order_ = std::move(outcome->names);
  problems_ = std::move(problems);
  counts_ = std::move(counts);
  undocumented_ = std::move(undocumented);
  // The form may have moved on since the copy was made.
  if (!pending_) RecheckShownPage();
  if (!same) Refill();
  if (pending_) {
    pending_ = false;
    StartProjectCheck();
  }
}

void ProblemsPanel::RecheckShownPage() {
  if (!checker_) {
    projectChanged();
    return;
  }
  const std::optional<project::Topic> page = sources_.shownPage();
  if (!page) return;
  const QString name = FromModel(page->name);
  std::vector<check::Problem> problems = checker_->Check(*page, page->body);
  const bool wasUndocumented = undocumented_.value(name, false);
  const bool undocumented = check::IsUndocumentedFunction(*page, page->body, helps_);
  if (page->Kind() == project::TopicKind::FunctionPage && wasUndocumented != undocumented) {
    coverage_.documented += undocumented ? -1 : 1;
  }
  if (undocumented) {
    undocumented_[name] = true;
  } else {
    undocumented_.remove(name);
  }
  const auto old = problems_.find(page->name);
  const bool same = old == problems_.end() ? problems.empty() : old->second == problems;
  if (same && wasUndocumented == undocumented) return;
  if (problems.empty()) {
    problems_.erase(page->name);
    counts_.remove(name);
  } else {
    counts_[name] = static_cast<int>(problems.size());
    problems_[page->name] = std::move(problems);
  }
  Refill();
}

void ProblemsPanel::Refill() {
  // The problem chosen last stays chosen when it is still there.
  QString currentTopic;
  int currentLine = 0;
  if (QTreeWidgetItem* current = list_->currentItem()) {
    currentTopic = current->data(0, kTopicRole).toString();
    currentLine = current->data(0, kLineRole).toInt();
  }
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  total_ = 0;
  for (const std::string& name : order_) {
    const auto found = problems_.find(name);
    if (found == problems_.end()) continue;
    for (const check::Problem& problem : found->second) {
      items.append(ItemOf(problem));
      ++total_;
    }
  }
  list_->addTopLevelItems(items);
  for (QTreeWidgetItem* item : items) {
    if (item->data(0, kTopicRole).toString() == currentTopic &&
        item->data(0, kLineRole).toInt() == currentLine) {
      list_->setCurrentItem(item);
      break;
    }
  }
  list_->setUpdatesEnabled(true);
  coverageText_ = QString::fromStdString(project::CoverageText(coverage_));
  summary_->setText(QString::fromStdString(check::SummaryLine(coverage_, total_)));
  emit checked();
}

void ProblemsPanel::Choose(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  emit problemChosen(item->data(0, kTopicRole).toString(),
                     static_cast<check::Field>(item->data(0, kFieldRole).toInt()),
                     item->data(0, kLineRole).toInt());
}

}  // namespace qs::ui
