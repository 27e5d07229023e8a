#include "ui/widgets/nameprompt.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/captionroom.h"

namespace qs::ui {

NamePrompt::NamePrompt(QWidget* parent, const QString& caption, const QString& prompt,
                       const QString& text, QPoint pointer)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName("AskText");
  setWindowTitle(caption);
  auto* label = new QLabel(prompt);
  label->setObjectName("AskTextPrompt");
  field_ = new QLineEdit(text);
  field_->setObjectName("AskTextField");
  // The prompt names the field to a screen reader.
  label->setBuddy(field_);
  // Room for a name of some twenty-five characters before it scrolls.
  field_->setMinimumWidth(field_->fontMetrics().averageCharWidth() * 25);
  auto* ok = new QPushButton("Ok");
  ok->setObjectName("AskTextOk");
  ok->setDefault(true);
  ok->setAutoDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  // The window has no close box: without this button only Escape would say no.
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("AskTextCancel");
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // The prompt above, the field beside its buttons; the field takes the width.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->setSpacing(3);
  layout->addWidget(label, 0, 0, 1, 3);
  layout->addWidget(field_, 1, 0);
  layout->addWidget(ok, 1, 1);
  layout->addWidget(cancel, 1, 2);
  layout->setColumnStretch(0, 1);
  setFixedSize(
      kInner.expandedTo(layout->totalMinimumSize()).expandedTo(QSize(CaptionRoom(*this), 0)));
  move(pointer - QPoint(15, 54));
  field_->setFocus();
}

QString NamePrompt::Ask(QWidget* parent, const QString& caption, const QString& prompt,
                        const QString& text) {
  NamePrompt prompter(parent, caption, prompt, text, QCursor::pos());
  if (prompter.exec() != QDialog::Accepted) return {};
  return prompter.field()->text();
}

}  // namespace qs::ui
