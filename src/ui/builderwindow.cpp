#include "ui/builderwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

namespace qs::ui {

BuilderWindow::BuilderWindow(QWidget* owner, const QString& label, const QString& log)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName("BuilderWindow");
  setWindowTitle("QuillSmith [HTML Builder]");
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(kInner);

  builderLabel = new QLabel(label, this);
  builderLabel->setObjectName("BuilderLabel");
  builderLabel->setGeometry(5, 5, 385, 20);
  builderLog = new QTextEdit(this);
  builderLog->setObjectName("BuilderLog");
  builderLog->setGeometry(0, 30, 390, 140);
  builderLog->setReadOnly(true);
  builderLog->setLineWrapMode(QTextEdit::WidgetWidth);
  builderLog->setPlainText(log);
  builderButton = new QPushButton("Working...", this);
  builderButton->setObjectName("BuilderButton");
  builderButton->setGeometry(150, 175, 105, 25);
  builderButton->setStyleSheet(
      "QPushButton { background-color: rgb(212, 212, 212); border: 1px solid rgb(160, 160, "
      "160); }");
  builderButton->setAutoDefault(false);
  connect(builderButton, &QPushButton::clicked, this, [this] {
    if (done_) accept();
  });
}

void BuilderWindow::Run(const std::function<QString()>& compile) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  // Paint the window before the compiler takes its time.
  QApplication::processEvents();
  const QString compiled = compile ? compile() : QString();
  if (!compiled.isEmpty()) builderLabel->setText(compiled);
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
