#include "ui/nameprompt.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qs::ui {

NamePrompt::NamePrompt(QWidget* parent, const QString& caption, const QString& prompt,
                       const QString& text, QPoint pointer)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName("AskText");
  setWindowTitle(caption);
  setFixedSize(201, 50);
  move(pointer - QPoint(15, 54));
  auto* label = new QLabel(prompt, this);
  label->setGeometry(5, 5, 190, 15);
  field_ = new QLineEdit(text, this);
  field_->setGeometry(5, 25, 170, 20);
  auto* ok = new QPushButton("Ok", this);
  ok->setGeometry(178, 25, 22, 20);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  field_->setFocus();
}

QString NamePrompt::Ask(QWidget* parent, const QString& caption, const QString& prompt,
                        const QString& text) {
  NamePrompt prompter(parent, caption, prompt, text, QCursor::pos());
  if (prompter.exec() != QDialog::Accepted) return {};
  return prompter.field()->text();
}

}  // namespace qs::ui
