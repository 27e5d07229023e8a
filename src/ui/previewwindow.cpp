#include "ui/previewwindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "ui/caseinsensitivefiles.h"
#include "ui/icons.h"

namespace qs::ui {

namespace {

QPushButton* GlyphButton(const char* name, const QIcon& icon, const QString& tip,
                         const QString& accessibleName) {
  auto* button = new QPushButton;
  button->setObjectName(name);
  button->setIcon(icon);
  button->setToolTip(tip);
  button->setAccessibleName(accessibleName);
  button->setStyleSheet(
      "QPushButton { background-color: rgb(212, 212, 212); border: 1px solid rgb(160, 160, "
      "160); padding: 2px 6px; } QPushButton:pressed { background-color: rgb(180, 180, 180); }");
  // Wide enough to hit easily, as the arrows of a browser.
  button->setMinimumWidth(45);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* owner, const QString& title, const QUrl& start)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName("PreviewWindow");
  setWindowTitle(title);
  setWindowModality(Qt::ApplicationModal);
  setSizeGripEnabled(true);

  backButton = GlyphButton("BackButton", LeftArrowIcon(), "Back [F1]", "Back");
  forwardButton = GlyphButton("ForwardButton", RightArrowIcon(), "Forward [F2]", "Forward");
  endButton = GlyphButton("EndButton", CrossIcon(), "End preview [Esc]", "End preview");
  start_ = start;
  addressField = new QLineEdit(AddressOf(start));
  addressField->setObjectName("AddressField");
  addressField->setReadOnly(true);
  separator = new QFrame;
  separator->setObjectName("Separator");
  separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  browser = new QWebEngineView;
  browser->setObjectName("PreviewWindowBrowser");
  ResolveLocalFilesIgnoringCase(browser->page()->profile());

  // The address field and the separator stretch across, the page both ways.
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(5, 3, 5, 0);
  bar->setSpacing(5);
  bar->addWidget(backButton);
  bar->addWidget(forwardButton);
  bar->addWidget(endButton);
  bar->addWidget(addressField, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 5);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(separator);
  auto* page = new QHBoxLayout;
  page->setContentsMargins(5, 0, 5, 0);
  page->addWidget(browser);
  layout->addLayout(page, 1);

  setMinimumSize(kMinimumInner.expandedTo(layout->totalMinimumSize()));
  resize(kInner.expandedTo(minimumSize()));

  connect(backButton, &QPushButton::clicked, browser, &QWebEngineView::back);
  connect(forwardButton, &QPushButton::clicked, browser, &QWebEngineView::forward);
  connect(endButton, &QPushButton::clicked, this, &QDialog::accept);
  auto key = [this](Qt::Key k, auto action) {
    auto* shortcut = new QShortcut(QKeySequence(k), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
  };
  key(Qt::Key_Escape, [this] { accept(); });
  key(Qt::Key_F1, [this] { GoByKey(false); });
  key(Qt::Key_F2, [this] { GoByKey(true); });
  connect(browser, &QWebEngineView::urlChanged, this, [this] {
    if (!addressFollowsNavigation_) return;
    addressFollowsNavigation_ = false;
    addressField->setText(CurrentAddress());
  });
}

PreviewWindow::~PreviewWindow() = default;

QString PreviewWindow::AddressOf(const QUrl& url) {
  return url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
}

QString PreviewWindow::CurrentAddress() const {
  return AddressOf(browser->url());
}

void PreviewWindow::GoByKey(bool forward) {
  QWebEngineHistory* history = browser->history();
  const bool moves = forward ? history->canGoForward() : history->canGoBack();
  if (!moves) {
    addressField->setText(CurrentAddress());
    return;
  }
  // The address changes once the browser has arrived, not when it is asked to go.
  addressFollowsNavigation_ = true;
  if (forward) {
    browser->forward();
  } else {
    browser->back();
  }
}

void PreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void PreviewWindow::Run() {
  browser->setUrl(start_);
  exec();
}

}  // namespace qs::ui
