#pragma once

#include <QColor>
#include <QDialog>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "config/windowplace.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace qs::ui {

class CompileProgress;
class QtProgramRunner;

// The small window that reports a help build: where the files went, the list of them, and a
// button that reads "Working..." while the help is compiled and "Ok [Esc]" afterwards. While
// a compiler runs, a progress bar (pages it has named out of pages written) and its output
// appear below the list. The compiler's errors and warnings are counted and listed apart from
// its output, errors first and in red, each with its page. "Open help" beside the button
// opens the compiled help once there is one. It has no minimise or maximise button; its close
// box appears once the work is done and then acts as the button, as Escape does.
class BuilderWindow : public QDialog {
  Q_OBJECT

 public:
  BuilderWindow(QWidget* owner, const QString& label, const QString& log);
  ~BuilderWindow() override;

  // Opens where the window was last time (the size stays what the texts need), kept on a
  // screen of this desktop; without it the window opens centred on the screen.
  void OpenAt(const config::WindowPlace& place);

  // Shows the compiler runs of `runner` while the window lives.
  void Follow(QtProgramRunner& runner);

  // Shows the window, paints it, runs `compile` while "Working..." shows, puts the text it
  // returns into the label (unless it is empty), then waits for the user.
  void Run(const std::function<QString()>& compile);

  QLabel* builderLabel = nullptr;
  QTextEdit* builderLog = nullptr;
  QPushButton* builderButton = nullptr;
  QProgressBar* compileProgress = nullptr;
  QPlainTextEdit* compilerOutput = nullptr;
  QLabel* messagesHeading = nullptr;
  QTreeWidget* compilerMessages = nullptr;
  QPushButton* openHelpButton = nullptr;

  // The colour of the compiler's errors in their list.
  static const QColor kErrorColour;

  // The inner size at the least; wider when the label needs it, up to the screen's width, and
  // taller by the compiler's pane once a compiler runs.
  static constexpr QSize kInner{390, 202};

 public slots:
  void reject() override;
  // A compiler started: the progress bar and the output pane appear.
  void CompilerStarted();
  // Lines of the compiler's output: shown, and read for the pages it names.
  void AddCompilerOutput(const QString& lines);
  // The compiler's errors and warnings, one a line, the first `errors` of them errors, under
  // `heading`: listed apart from its output, so that they are not lost among its notes.
  // Nothing for none.
  void ShowCompilerMessages(const QString& heading, const QStringList& messages, int errors);
  // Whether a compiled help file is there for "Open help" to open.
  void SetHelpCompiled(bool compiled);

 signals:
  // "Open help" was clicked.
  void openHelpRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The window is not resizable: its one size is set from what its texts need.
  void FitToTexts();
  // Where it opens, and after it grew: see OpenAt.
  void PlaceOnScreen();
  // The work is done: the close box appears, without the window being made anew.
  void OfferCloseBox();

  std::unique_ptr<CompileProgress> progress_;
  bool done_ = false;
  std::optional<config::WindowPlace> place_;
};

}  // namespace qs::ui
