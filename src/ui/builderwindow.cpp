#include "ui/builderwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/elidinglabel.h"

namespace qs::ui {

BuilderWindow::BuilderWindow(QWidget* owner, const QString& label, const QString& log)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName("BuilderWindow");
  setWindowTitle("QuillSmith [HTML Builder]");
  setWindowModality(Qt::ApplicationModal);

  builderLabel = new ElidingLabel(label);
  builderLabel->setObjectName("BuilderLabel");
  builderLog = new QTextEdit;
  builderLog->setObjectName("BuilderLog");
  builderLog->setReadOnly(true);
  builderLog->setLineWrapMode(QTextEdit::WidgetWidth);
  builderLog->setPlainText(log);
  builderButton = new QPushButton("Working...");
  builderButton->setObjectName("BuilderButton");
  builderButton->setStyleSheet(
      "QPushButton { background-color: rgb(212, 212, 212); border: 1px solid rgb(160, 160, "
      "160); padding: 3px 10px; } QPushButton:focus { border: 2px solid rgb(0, 0, 160); "
      "padding: 2px 9px; }");
  builderButton->setMinimumWidth(105);
  builderButton->setAutoDefault(false);
  connect(builderButton, &QPushButton::clicked, this, [this] {
    if (done_) accept();
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 5, 0, 2);
  layout->setSpacing(5);
  layout->addWidget(builderLabel);
  layout->addWidget(builderLog, 1);
  layout->addWidget(builderButton, 0, Qt::AlignHCenter);
  builderLabel->setContentsMargins(5, 0, 5, 0);
  FitToTexts();
}

void BuilderWindow::FitToTexts() {
  // The label is one line: the window widens for it as far as the screen allows, and beyond
  // that the label shortens its middle and shows the whole text as its tooltip.
  int widest = kInner.width();
  if (QScreen* screen = this->screen()) {
    widest = std::max(widest, screen->availableGeometry().width() * 9 / 10);
  }
  const int labelWidth = builderLabel->sizeHint().width();
  const QSize needed = layout()->totalMinimumSize();
  QSize size(std::clamp(labelWidth, kInner.width(), widest), kInner.height());
  setFixedSize(size.expandedTo(needed));
}

void BuilderWindow::CentreOnScreen() {
  if (QScreen* screen = this->screen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void BuilderWindow::Run(const std::function<QString()>& compile) {
  CentreOnScreen();
  show();
  raise();
  // Paint the window before the compiler takes its time.
  QApplication::processEvents();
  const QString compiled = compile ? compile() : QString();
  if (!compiled.isEmpty()) {
    builderLabel->setText(compiled);
    FitToTexts();
    CentreOnScreen();
  }
  done_ = true;
  builderButton->setText("Ok [Esc]");
  builderButton->setEnabled(true);
  builderButton->setFocus();
  raise();
  activateWindow();
  exec();
}

void BuilderWindow::reject() {
  // Escape does nothing while the work runs.
  if (done_) QDialog::reject();
}

void BuilderWindow::closeEvent(QCloseEvent* event) {
  // No close from the title bar or the window manager: the button or Escape closes it.
  event->ignore();
}

}  // namespace qs::ui
