#include "ui/topiclist/pagesearchdialog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "ui/mainwindow/mainwindow.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/modeltext.h"
#include "ui/widgets/textselect.h"

namespace qs::ui {

QString FieldName(project::PageField field, project::TopicKind kind) {
  switch (field) {
    case project::PageField::Title:
      return "Title";
    case project::PageField::Summary:
      return kind == project::TopicKind::FunctionPage ? "Syntax" : "Overview";
    case project::PageField::Description:
      return "Description";
    case project::PageField::Example:
      return "Example";
  }
  return {};
}

PageSearchDialog::PageSearchDialog(QWidget* parent, const project::HelpProject& project)
    : QDialog(parent), project_(project) {
  setObjectName("PageSearchDialog");
  setWindowTitle("Search the pages");
  searchField = new QLineEdit;
  searchField->setObjectName("SearchField");
  searchField->setPlaceholderText("Text to find in any field of any page");
  controls::ClearButtonOnFirstText(searchField);
  auto* searchButton = new QPushButton("&Search");
  searchButton->setObjectName("SearchButton");
  searchButton->setAutoDefault(false);
  hitList = new QTreeWidget;
  hitList->setObjectName("SearchHitList");
  hitList->setAccessibleName("Hits");
  hitList->setHeaderLabels({"Topic", "Field", "Line", "Text"});
  hitList->setRootIsDecorated(false);
  hitList->setUniformRowHeights(true);
  hitList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // The columns fit the rows in sight: measuring all of up to a thousand hits, four texts
  // each, took far longer than a frame, and the list waited for it before showing them.
  hitList->header()->setResizeContentsPrecision(0);
  countLabel = new QLabel;
  countLabel->setObjectName("SearchCountLabel");

  auto* row = new QHBoxLayout;
  row->addWidget(searchField, 1);
  row->addWidget(searchButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(hitList, 1);
  layout->addWidget(countLabel);
  const int unit = fontMetrics().averageCharWidth();
  resize(unit * 90, fontMetrics().height() * 24);
  NameForScreenReaders(this);

  searchField->installEventFilter(this);
  hitList->installEventFilter(this);
  connect(searchField, &QLineEdit::returnPressed, this, &PageSearchDialog::Search);
  connect(searchButton, &QPushButton::clicked, this, &PageSearchDialog::Search);
  connect(hitList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    emit hitChosen(item->data(0, Qt::UserRole).value<PageSearchHit>());
  });
}

void PageSearchDialog::Search() {
  if (beforeSearch_) beforeSearch_();
  hitList->clear();
  const std::string needle = ToModel(searchField->text());
  const std::vector<project::SearchHit> hits =
      project::SearchPages(project_, needle, kHitLimit + 1);
  QList<QTreeWidgetItem*> items;
  for (std::size_t i = 0; i < hits.size() && i < kHitLimit; ++i) {
    const project::SearchHit& found = hits[i];
    PageSearchHit hit;
    hit.row = found.row;
    hit.topic = FromModel(project_.ItemText(found.row));
    const project::Topic* topic = project_.FindTopic(project_.ItemText(found.row));
    hit.field = found.field;
    hit.line = found.line;
    // The editor shows characters, the model holds bytes: count what comes before the text.
    hit.column = static_cast<int>(FromModel(found.lineText.substr(0, found.column)).size());
    hit.length =
        static_cast<int>(FromModel(found.lineText.substr(found.column, needle.size())).size());
    auto* item = new QTreeWidgetItem(
        {hit.topic,
         FieldName(hit.field, topic != nullptr ? topic->Kind() : project::TopicKind::FunctionPage),
         QString::number(hit.line), FromModel(found.lineText)});
    item->setData(0, Qt::UserRole, QVariant::fromValue(hit));
    items.append(item);
  }
  hitList->addTopLevelItems(items);
  if (hits.size() > kHitLimit) {
    countLabel->setText(QString("The first %1 hits").arg(kHitLimit));
  } else {
    countLabel->setText(hits.size() == 1 ? QString("1 hit") : QString("%1 hits").arg(hits.size()));
  }
  if (!items.isEmpty()) hitList->setCurrentItem(items.front());
}

bool PageSearchDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) {
    return QDialog::eventFilter(watched, event);
  }
  if (watched == searchField && key->key() == Qt::Key_Down && hitList->topLevelItemCount() > 0) {
    if (hitList->currentItem() == nullptr) hitList->setCurrentItem(hitList->topLevelItem(0));
    hitList->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (watched == hitList && key->key() == Qt::Key_Up &&
      hitList->currentItem() == hitList->topLevelItem(0)) {
    searchField->setFocus(Qt::TabFocusReason);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void PageSearchDialog::KeepClearOf(const QRect& hit) {
  const QRect frame = frameGeometry();
  if (!hit.isValid() || !frame.intersects(hit)) return;
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  // The frame's size around the inner geometry, which is what move() places.
  const QPoint inner = geometry().topLeft() - frame.topLeft();
  constexpr int kGap = 8;
  const auto within = [&room, &frame](QPoint topLeft) {
    topLeft.setX(std::clamp(topLeft.x(), room.left(),
                            std::max(room.left(), room.right() - frame.width() + 1)));
    topLeft.setY(std::clamp(topLeft.y(), room.top(),
                            std::max(room.top(), room.bottom() - frame.height() + 1)));
    return QRect(topLeft, frame.size());
  };
  const QRect candidates[] = {
      within({frame.left(), hit.bottom() + kGap}),
      within({frame.left(), hit.top() - kGap - frame.height()}),
      within({hit.right() + kGap, frame.top()}),
      within({hit.left() - kGap - frame.width(), frame.top()}),
  };
  QRect best = frame;
  qint64 leastCovered = std::numeric_limits<qint64>::max();
  for (const QRect& candidate : candidates) {
    const QRect covered = candidate.intersected(hit);
    const qint64 area = covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
    if (area < leastCovered) {
      leastCovered = area;
      best = candidate;
    }
  }
  move(best.topLeft() + inner);
}

QRect PlaceCaret(MainWindow& window, const PageSearchHit& hit) {
  // The author goes to the hit: its window takes the keyboard, which shows the selection in
  // the colours of the focus.
  window.activateWindow();
  if (hit.field == project::PageField::Title) {
    QLineEdit* field = window.projectTab().titleField;
    field->setFocus();
    field->setSelection(hit.column + hit.length, -hit.length);
    return QRect(field->mapToGlobal(QPoint(0, 0)), field->size());
  }
  QPlainTextEdit* editor =
      hit.field == project::PageField::Summary       ? window.projectTab().summaryEditor
      : hit.field == project::PageField::Description ? window.projectTab().bodyEditor
                                                     : window.projectTab().exampleEditor;
  SelectInLine(*editor, hit.line, hit.column, hit.length);
  // From the start of the selected text to its end, on the lines they are shown on.
  QTextCursor start = editor->textCursor();
  QTextCursor end = start;
  start.setPosition(start.selectionStart());
  end.setPosition(end.selectionEnd());
  const QRect shown = editor->cursorRect(start).united(editor->cursorRect(end));
  return QRect(editor->viewport()->mapToGlobal(shown.topLeft()), shown.size())
      .intersected(QRect(editor->mapToGlobal(QPoint(0, 0)), editor->size()));
}

}  // namespace qs::ui
