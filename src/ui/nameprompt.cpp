#include "ui/nameprompt.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qs::ui {

namespace {

// A window manager shortens a caption that its title bar has no room for. The title bar's own
// font is the desktop's business; a bold face of the window's font, with room for a few
// buttons, is a fair guess at what it needs.
int CaptionWidth(const QWidget& window) {
  QFont bold = window.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(window.windowTitle()) + 4 * metrics.height();
}

}  // namespace

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
  auto* ok = new QPushButton("Ok");
  ok->setObjectName("AskTextOk");
  ok->setDefault(true);
  ok->setAutoDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  // The prompt above, the field beside its button; the field takes the width.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->setSpacing(3);
  layout->addWidget(label, 0, 0, 1, 2);
  layout->addWidget(field_, 1, 0);
  layout->addWidget(ok, 1, 1);
  layout->setColumnStretch(0, 1);
  setFixedSize(
      kInner.expandedTo(layout->totalMinimumSize()).expandedTo(QSize(CaptionWidth(*this), 0)));
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
