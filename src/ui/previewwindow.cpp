#include "ui/previewwindow.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "ui/anchors.h"
#include "ui/caseinsensitivefiles.h"

namespace qs::ui {

namespace {

QPushButton* GlyphButton(QWidget* parent, const char* name, char16_t glyph, const QString& tip,
                         QRect place) {
  auto* button = new QPushButton(QString(QChar(glyph)), parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setGeometry(place);
  QFont font = button->font();
  font.setPointSize(12);
  button->setFont(font);
  button->setStyleSheet(
      "QPushButton { background-color: rgb(212, 212, 212); border: 1px solid rgb(160, 160, "
      "160); }");
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* owner, const QString& title, const QString& pagePath)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName("PreviewWindow");
  setWindowTitle(title);
  setWindowModality(Qt::ApplicationModal);
  resize(kInner);
  setMinimumSize(kMinimumInner);
  setSizeGripEnabled(true);

  backButton = GlyphButton(this, "BackButton", u'\u2190', "Back [F1]", {5, 3, 45, 20});
  forwardButton = GlyphButton(this, "ForwardButton", u'\u2192', "Forward [F2]", {55, 3, 45, 20});
  endButton = GlyphButton(this, "EndButton", u'\u2715', "End preview [Esc]", {105, 3, 45, 20});
  addressField = new QLineEdit(pagePath, this);
  addressField->setObjectName("AddressField");
  addressField->setReadOnly(true);
  addressField->setGeometry(155, 3, 440, 20);
  separator = new QFrame(this);
  separator->setObjectName("Separator");
  separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  separator->setGeometry(1, 27, 598, 2);
  browser = new QWebEngineView(this);
  browser->setObjectName("PreviewWindowBrowser");
  browser->setGeometry(5, 35, 590, 360);
  ResolveLocalFilesIgnoringCase(browser->page()->profile());

  anchors_ = new Anchors(this);
  anchors_->Add(addressField, kStretchAcross);
  anchors_->Add(separator, kStretchAcross);
  anchors_->Add(browser, kStretch);

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

QString PreviewWindow::CurrentAddress() const {
  const QUrl url = browser->url();
  return url.isLocalFile() ? url.toLocalFile() : url.toString();
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
  // The places above are those of the inner size at creation; resizing follows from here.
  anchors_->Capture(kInner);
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void PreviewWindow::Run() {
  browser->setUrl(QUrl::fromLocalFile(ResolvePathIgnoringCase(addressField->text())));
  exec();
}

}  // namespace qs::ui
