#include "ui/topiclist/pagesearchdialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/mainwindow/mainwindow.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/modeltext.h"
#include "ui/widgets/textselect.h"

namespace qs::ui {

QString FieldName(project::PageField field) {
  switch (field) {
    case project::PageField::Title:
      return "Title";
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
  searchField->setPlaceholderText("Text to find in titles, descriptions and examples");
  searchField->setClearButtonEnabled(true);
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
    hit.field = found.field;
    hit.line = found.line;
    // The editor shows characters, the model holds bytes: count what comes before the text.
    hit.column = static_cast<int>(FromModel(found.lineText.substr(0, found.column)).size());
    hit.length =
        static_cast<int>(FromModel(found.lineText.substr(found.column, needle.size())).size());
    auto* item = new QTreeWidgetItem(
        {hit.topic, FieldName(hit.field), QString::number(hit.line), FromModel(found.lineText)});
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

void PlaceCaret(MainWindow& window, const PageSearchHit& hit) {
  if (hit.field == project::PageField::Title) {
    window.projectTab().titleField->setFocus();
    window.projectTab().titleField->setSelection(hit.column + hit.length, -hit.length);
    return;
  }
  QPlainTextEdit* editor = hit.field == project::PageField::Description
                               ? window.projectTab().bodyEditor
                               : window.projectTab().exampleEditor;
  SelectInLine(*editor, hit.line, hit.column, hit.length);
}

}  // namespace qs::ui
