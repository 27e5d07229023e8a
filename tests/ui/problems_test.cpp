// The Problems panel in the wired window: the coverage in the status bar, a problem typed into
// the form listed a moment later with its page, field and line, and Enter on it going back
// there.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/problems/problemspanel.h"
#include "ui/topiclist/topicfilter.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/modeltext.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

// Waits, for ten seconds at most, until the panel's checks have made `done` true.
template <typename Done>
bool WaitFor(ProblemsPanel& panel, Done done) {
  QSignalSpy checked(&panel, &ProblemsPanel::checked);
  for (int i = 0; i < 50 && !done(); ++i) checked.wait(200);
  return done();
}

std::size_t FunctionPages(const project::HelpProject& project) {
  std::size_t count = 0;
  for (const project::Topic& topic : project.topics()) {
    count += topic.Kind() == project::TopicKind::FunctionPage ? 1 : 0;
  }
  return count;
}

TEST(ProblemsPanel, listsWhatIsTypedAndGoesBackToItsLine) {
  uitest::WiredWindow app(false);
  app.window->show();
  app.ExtractSample(app.Path("help/"));
  auto* panel = app.window->findChild<ProblemsPanel*>("ProblemsPanel");
  ASSERT_NE(panel, nullptr);
  auto* coverage = app.window->findChild<QLabel*>("CoverageLabel");
  auto* toggle = app.window->findChild<QToolButton*>("ProblemsButton");
  ASSERT_TRUE(coverage != nullptr && toggle != nullptr);
  const std::size_t functions = FunctionPages(app.project);
  ASSERT_TRUE(WaitFor(*panel, [&] { return !coverage->text().isEmpty(); }));
  // A fresh extraction: every description is still the library's own text.
  EXPECT_EQ(coverage->text(), QString("0 of %1 functions documented").arg(functions));
  EXPECT_EQ(toggle->text(), "No problems");
  EXPECT_EQ(panel->list()->topLevelItemCount(), 0);

  // A function page: an example a browser cuts, typed into the form.
  app.SelectRow(2);
  const QString page = FromModel(app.project.shownTopic());
  ASSERT_EQ(app.project.FindTopic(app.project.shownTopic())->Kind(),
            project::TopicKind::FunctionPage);
  EXPECT_TRUE(panel->isUndocumented(page));
  app.window->projectTab().exampleEditor->setPlainText("x = 1\nIf a<b Then\nEndIf");
  ASSERT_TRUE(WaitFor(*panel, [&] { return panel->list()->topLevelItemCount() > 0; }));
  ASSERT_EQ(panel->list()->topLevelItemCount(), 1);
  const QTreeWidgetItem* item = panel->list()->topLevelItem(0);
  EXPECT_EQ(item->text(0), page);
  EXPECT_EQ(item->text(1), "Example");
  EXPECT_EQ(item->text(2), "2");
  EXPECT_TRUE(item->text(3).startsWith("'<b' starts a tag; the rest of the line is hidden"));
  EXPECT_TRUE(item->text(3).contains("\"Examples are code\""));
  EXPECT_EQ(panel->problemCount(page), 1);
  EXPECT_FALSE(panel->isUndocumented(page));
  EXPECT_EQ(coverage->text(), QString("1 of %1 functions documented").arg(functions));
  EXPECT_EQ(toggle->text(), "1 problem");
  // Nothing of this reached the project: the form is not committed by a check.
  EXPECT_TRUE(app.project.FindTopic(ToModel(page))->example.empty());

  // Elsewhere (the form is committed on the way): the typing was checked already, so the
  // panel stays as it is. A check of the whole project (here with examples written as code,
  // which hold no markup, and back) finds the problem in the committed page.
  app.SelectRow(3);
  ASSERT_EQ(panel->list()->topLevelItemCount(), 1);
  QCheckBox* asCode = app.window->optionsTab().examplesAsCodeCheckBox;
  asCode->setChecked(true);
  ASSERT_TRUE(WaitFor(*panel, [&] { return panel->list()->topLevelItemCount() == 0; }));
  asCode->setChecked(false);
  ASSERT_TRUE(WaitFor(*panel, [&] { return panel->list()->topLevelItemCount() == 1; }));
  toggle->click();
  EXPECT_TRUE(panel->isVisible());
  panel->list()->setFocus();
  panel->list()->setCurrentItem(panel->list()->topLevelItem(0));
  QTest::keyClick(panel->list(), Qt::Key_Return);
  EXPECT_EQ(FromModel(app.project.shownTopic()), page);
  QPlainTextEdit* example = app.window->projectTab().exampleEditor;
  EXPECT_EQ(example->textCursor().block().blockNumber(), 1);
  EXPECT_EQ(example->textCursor().selectedText(), "If a<b Then");

  // The topic list marks the pages not yet documented by shape and in words, and shows only
  // them, or only the pages with problems, when asked.
  TopicListView* list = app.window->projectTab().topicListView;
  // The list model itself while nothing is filtered, the filter over it while it filters.
  const auto shown = [list] { return list->model(); };
  const auto rowOf = [&shown](const QString& name) {
    for (int row = 0; row < shown()->rowCount(); ++row) {
      if (shown()->index(row, 0).data().toString() == name) return row;
    }
    return -1;
  };
  const QString other = FromModel(app.project.ItemText(3));
  ASSERT_GE(rowOf(other), 0);
  EXPECT_EQ(shown()->index(rowOf(other), 0).data(Qt::AccessibleDescriptionRole).toString(),
            "Function; Not yet documented");
  EXPECT_EQ(shown()->index(rowOf(page), 0).data(Qt::ToolTipRole).toString(), "1 problem");
  EXPECT_NE(shown()->index(rowOf(other), 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
            shown()->index(rowOf(page), 0).data(Qt::DecorationRole).value<QIcon>().cacheKey());
  list->topicFilter()->SetPages(TopicFilter::Pages::WithProblems);
  ASSERT_EQ(shown()->rowCount(), 1);
  EXPECT_EQ(shown()->index(0, 0).data().toString(), page);
  list->topicFilter()->SetPages(TopicFilter::Pages::Undocumented);
  EXPECT_EQ(static_cast<std::size_t>(shown()->rowCount()), functions - 1);
  EXPECT_EQ(rowOf(page), -1);
  EXPECT_GE(rowOf(other), 0);
  list->topicFilter()->SetPages(TopicFilter::Pages::All);
  EXPECT_EQ(static_cast<std::size_t>(shown()->rowCount()), app.project.ItemCount());
}

}  // namespace
}  // namespace qs::ui
