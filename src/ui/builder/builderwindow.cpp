#include "ui/builder/builderwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/builder/compileprogress.h"
#include "ui/builder/qtprogramrunner.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/elidinglabel.h"
#include "ui/widgets/onscreen.h"

namespace qs::ui {

const QColor BuilderWindow::kErrorColour(192, 0, 0);

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
  builderLog->setAccessibleName("Build log");
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
  progress_ = std::make_unique<CompileProgress>(log);
  compileProgress = new QProgressBar;
  compileProgress->setObjectName("CompileProgress");
  compileProgress->setRange(0, progress_->total());
  compileProgress->setValue(0);
  compileProgress->setFormat("%v of %m pages");
  compileProgress->hide();
  compilerOutput = new QPlainTextEdit;
  compilerOutput->setObjectName("CompilerOutput");
  compilerOutput->setAccessibleName("Compiler output");
  compilerOutput->setReadOnly(true);
  compilerOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
  compilerOutput->setFixedHeight(compilerOutput->fontMetrics().lineSpacing() * 7 +
                                 2 * compilerOutput->frameWidth() + 8);
  compilerOutput->hide();
  messagesHeading = new QLabel;
  messagesHeading->setObjectName("CompilerMessagesHeading");
  messagesHeading->setContentsMargins(5, 0, 5, 0);
  messagesHeading->hide();
  // One column as wide as the window: a line longer than that is shortened at its end (the page
  // it names comes first) and shown whole as its tooltip.
  compilerMessages = new QTreeWidget;
  compilerMessages->setObjectName("CompilerMessages");
  compilerMessages->setAccessibleName("Compiler errors and warnings");
  compilerMessages->setHeaderHidden(true);
  compilerMessages->setRootIsDecorated(false);
  compilerMessages->setUniformRowHeights(true);
  compilerMessages->setSelectionMode(QAbstractItemView::SingleSelection);
  compilerMessages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  compilerMessages->setTextElideMode(Qt::ElideRight);
  compilerMessages->hide();
  openHelpButton = new QPushButton("Open help");
  openHelpButton->setObjectName("OpenHelpButton");
  openHelpButton->setToolTip("Opens the compiled help file with this system's viewer for it");
  openHelpButton->setStyleSheet(builderButton->styleSheet());
  openHelpButton->setAutoDefault(false);
  openHelpButton->setEnabled(false);
  connect(openHelpButton, &QPushButton::clicked, this, [this] {
    if (done_) emit openHelpRequested();
  });

  // "Ok [Esc]" stays in the middle, "Open help" at its left: as much room on either side.
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(5, 0, 5, 0);
  buttons->setSpacing(0);
  buttons->addWidget(openHelpButton);
  buttons->addStretch(1);
  buttons->addWidget(builderButton);
  buttons->addStretch(1);
  buttons->addSpacing(openHelpButton->sizeHint().width());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 5, 0, 2);
  layout->setSpacing(5);
  layout->addWidget(builderLabel);
  layout->addWidget(builderLog, 1);
  layout->addWidget(messagesHeading);
  layout->addWidget(compilerMessages);
  layout->addWidget(compileProgress);
  layout->addWidget(compilerOutput);
  layout->addLayout(buttons);
  builderLabel->setContentsMargins(5, 0, 5, 0);
  NameForScreenReaders(this);
  FitToTexts();
}

BuilderWindow::~BuilderWindow() = default;

void BuilderWindow::FitToTexts() {
  // The label is one line: the window widens for it as far as the screen allows, and beyond
  // that the label shortens its middle and shows the whole text as its tooltip.
  const int widest = std::max(kInner.width(), Room(*this).width());
  const int labelWidth = builderLabel->sizeHint().width();
  const QSize needed = layout()->totalMinimumSize();
  int height = kInner.height();
  if (!compilerOutput->isHidden()) {
    height +=
        compileProgress->sizeHint().height() + compilerOutput->height() + 2 * layout()->spacing();
  }
  if (!compilerMessages->isHidden()) {
    height +=
        messagesHeading->sizeHint().height() + compilerMessages->height() + 2 * layout()->spacing();
  }
  QSize size(std::clamp(labelWidth, kInner.width(), widest), height);
  // A large font may ask for more than the screen has: the log and the output scroll.
  setFixedSize(size.expandedTo(needed).boundedTo(Room(*this).size()));
}

void BuilderWindow::Follow(QtProgramRunner& runner) {
  // The connections end with the window.
  connect(&runner, &QtProgramRunner::started, this, &BuilderWindow::CompilerStarted);
  connect(&runner, &QtProgramRunner::output, this, &BuilderWindow::AddCompilerOutput);
}

void BuilderWindow::CompilerStarted() {
  if (!compilerOutput->isHidden()) return;
  compileProgress->show();
  compilerOutput->show();
  // Until the output names a page, or when the build wrote none, the bar only shows activity.
  if (progress_->total() == 0) compileProgress->setRange(0, 0);
  FitToTexts();
  PlaceOnScreen();
}

void BuilderWindow::AddCompilerOutput(const QString& lines) {
  CompilerStarted();
  compilerOutput->appendPlainText(lines.endsWith('\n') ? lines.chopped(1) : lines);
  if (progress_->Read(lines)) compileProgress->setValue(progress_->named());
}

void BuilderWindow::ShowCompilerMessages(const QString& heading, const QStringList& messages,
                                         int errors) {
  if (messages.isEmpty()) return;
  messagesHeading->setText(heading);
  compilerMessages->clear();
  for (int i = 0; i < messages.size(); ++i) {
    auto* item = new QTreeWidgetItem(compilerMessages, {messages[i]});
    item->setToolTip(0, messages[i]);
    if (i < errors) item->setForeground(0, kErrorColour);
  }
  // Room for a few lines; more scroll.
  const int rows = std::min<int>(static_cast<int>(messages.size()), 5);
  compilerMessages->setFixedHeight(compilerMessages->sizeHintForRow(0) * rows +
                                   2 * compilerMessages->frameWidth() + 2);
  compilerMessages->scrollToTop();
  messagesHeading->show();
  compilerMessages->show();
  FitToTexts();
  PlaceOnScreen();
}

void BuilderWindow::SetHelpCompiled(bool compiled) {
  openHelpButton->setEnabled(compiled);
}

void BuilderWindow::OfferCloseBox() {
  const Qt::WindowFlags flags =
      windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  // setWindowFlags would hide the window and show it again; its platform window can take the
  // new decorations as it stands.
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

void BuilderWindow::OpenAt(const config::WindowPlace& place) {
  place_ = place;
}

void BuilderWindow::PlaceOnScreen() {
  // Grown while it shows: it stays where it is, or where the user moved it, as far as the
  // screen allows.
  if (isVisible()) {
    KeepOnScreen(*this);
    return;
  }
  if (place_) {
    PutAt(*this, *place_);
    return;
  }
  if (QScreen* screen = this->screen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void BuilderWindow::Run(const std::function<QString()>& compile) {
  PlaceOnScreen();
  show();
  raise();
  // Paint the window before the compiler takes its time.
  QApplication::processEvents();
  const QString compiled = compile ? compile() : QString();
  if (!compiled.isEmpty()) {
    builderLabel->setText(compiled);
    FitToTexts();
    PlaceOnScreen();
  }
  done_ = true;
  // The help file holds every page once the compiler has made it.
  if (!compiled.isEmpty() && compileProgress->maximum() > 0) {
    compileProgress->setValue(compileProgress->maximum());
  }
  OfferCloseBox();
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
  // While the work runs nothing closes the window; afterwards the close box is the button.
  if (!done_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace qs::ui
