#include "ui/widgets/linkdialog.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "ui/widgets/captionroom.h"

namespace qs::ui {

LinkDialog::LinkDialog(QWidget* parent, const QStringList& pages) : QDialog(parent), pages_(pages) {
  setObjectName("LinkDialog");
  setWindowTitle("Insert link");
  field_ = new QLineEdit;
  field_->setObjectName("LinkPageField");
  field_->setPlaceholderText("Type a part of the page's name");
  field_->setAccessibleName("Page to link to");
  // Room for a long function name before it scrolls.
  field_->setMinimumWidth(field_->fontMetrics().averageCharWidth() * 40);
  auto* label = new QLabel("Link to the &page:");
  label->setBuddy(field_);

  completer_ = new QCompleter(new QStringListModel(pages, this), this);
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setFilterMode(Qt::MatchContains);
  completer_->setCompletionMode(QCompleter::PopupCompletion);
  completer_->setMaxVisibleItems(12);
  field_->setCompleter(completer_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons_->button(QDialogButtonBox::Ok)->setText("&Insert");
  connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
    if (!chosenPage().isEmpty()) accept();
  });
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto updateOk = [this] {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!chosenPage().isEmpty());
  };
  connect(field_, &QLineEdit::textChanged, this, updateOk);
  updateOk();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(field_);
  layout->addWidget(buttons_);
  setMinimumWidth(CaptionRoom(*this));
  field_->setFocus();
}

QString LinkDialog::chosenPage() const {
  const QString typed = field_->text().trimmed();
  if (typed.isEmpty()) return {};
  if (pages_.contains(typed)) return typed;
  QString only;
  for (const QString& page : pages_) {
    if (page.compare(typed, Qt::CaseInsensitive) != 0) continue;
    if (!only.isEmpty()) return {};
    only = page;
  }
  return only;
}

QString LinkDialog::Ask(QWidget* parent, const QStringList& pages) {
  LinkDialog dialog(parent, pages);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.chosenPage();
}

}  // namespace qs::ui
