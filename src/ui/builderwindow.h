#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QTextEdit;

namespace qs::ui {

// The small window that reports a help build: where the files went, the list of them, and a
// button that reads "Working..." while the help is compiled and "Ok [Esc]" afterwards. It has
// no close box; the button or Escape closes it, and only once the work is done.
class BuilderWindow : public QDialog {
  Q_OBJECT

 public:
  BuilderWindow(QWidget* owner, const QString& label, const QString& log);

  // Shows the window, paints it, runs `compile` while "Working..." shows, puts the text it
  // returns into the label (unless it is empty), then waits for the user.
  void Run(const std::function<QString()>& compile);

  QLabel* builderLabel = nullptr;
  QTextEdit* builderLog = nullptr;
  QPushButton* builderButton = nullptr;

  // The inner size at the least; wider when the label needs it, up to the screen's width.
  static constexpr QSize kInner{390, 202};

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The window is not resizable: its one size is set from what its texts need.
  void FitToTexts();
  void CentreOnScreen();

  bool done_ = false;
};

}  // namespace qs::ui
