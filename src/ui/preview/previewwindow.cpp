#include "ui/preview/previewwindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/preview/pageview.h"
#include "ui/preview/previewscheme.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/inputblocker.h"
#include "ui/widgets/onscreen.h"

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

PreviewWindow::PreviewWindow(QWidget* owner, const QString& title, const QUrl& start,
                             PageView* view)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName("PreviewWindow");
  setWindowTitle(title);
  // Not modal to Qt: a window that Qt blocks never hears its close box, and the main
  // window's must end the preview. The event filter makes the preview modal in effect.
  setSizeGripEnabled(true);

  backButton = GlyphButton("BackButton", LeftArrowIcon(), "Back [F1]", "Back");
  forwardButton = GlyphButton("ForwardButton", RightArrowIcon(), "Forward [F2]", "Forward");
  endButton = GlyphButton("EndButton", CrossIcon(), "End preview [Esc]", "End preview");
  start_ = start;
  addressField = new QLineEdit(AddressOf(start));
  addressField->setObjectName("AddressField");
  addressField->setAccessibleName("Address");
  addressField->setReadOnly(true);
  separator = new QFrame;
  separator->setObjectName("Separator");
  separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  browser = view;
  browser->setObjectName("PreviewWindowBrowser");

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
  NameForScreenReaders(this);

  const QSize room = Room(*this).size();
  setMinimumSize(kMinimumInner.expandedTo(layout->totalMinimumSize()).boundedTo(room));
  resize(UsefulSize(room).expandedTo(minimumSize()));

  connect(backButton, &QPushButton::clicked, browser, [this] { browser->Go(false); });
  connect(forwardButton, &QPushButton::clicked, browser, [this] { browser->Go(true); });
  connect(endButton, &QPushButton::clicked, this, &QDialog::accept);
  auto key = [this](Qt::Key k, auto action) {
    auto* shortcut = new QShortcut(QKeySequence(k), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
  };
  key(Qt::Key_Escape, [this] { accept(); });
  key(Qt::Key_F1, [this] { GoByKey(false); });
  key(Qt::Key_F2, [this] { GoByKey(true); });
  browser->OnAddressChanged([this] {
    if (!addressFollowsNavigation_) return;
    addressFollowsNavigation_ = false;
    addressField->setText(CurrentAddress());
  });
}

PreviewWindow::~PreviewWindow() = default;

QSize PreviewWindow::UsefulSize(QSize room) {
  // A help page reads best at about the size of a document window: most of the screen's
  // height and a good part of its width, never less than the smallest useful preview.
  return QSize(room.width() * 3 / 5, room.height() * 4 / 5).expandedTo(kInner).boundedTo(room);
}

QString PreviewWindow::AddressOf(const QUrl& url) {
  return url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
}

QString PreviewWindow::CurrentAddress() const {
  return AddressOf(browser->Address());
}

void PreviewWindow::GoByKey(bool forward) {
  if (!browser->CanGo(forward)) {
    addressField->setText(CurrentAddress());
    return;
  }
  // The address changes once the browser has arrived, not when it is asked to go.
  addressFollowsNavigation_ = true;
  browser->Go(forward);
}

void PreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // A window put where it was last time stays there; otherwise it opens centred.
  if (testAttribute(Qt::WA_Moved)) return;
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

bool PreviewWindow::Inside(const QObject* object) const {
  const QObject* owner = object;
  while (owner != nullptr && !owner->isWidgetType()) owner = owner->parent();
  // Events of the platform's windows reach their widgets next, and are judged there.
  if (owner == nullptr) return true;
  for (auto* widget = static_cast<const QWidget*>(owner); widget != nullptr;
       widget = widget->parentWidget()) {
    if (widget == this) return true;
  }
  return false;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Close) {
    if (watched != parentWidget()) return false;
    ownerClosing_ = true;
    event->ignore();
    reject();
    return true;
  }
  if (InputBlocker::IsInput(type) && !Inside(watched)) {
    event->ignore();
    return true;
  }
  // The owner brought forward by the window manager hands the keyboard back to the preview.
  if (type == QEvent::WindowActivate && watched == parentWidget() && isVisible()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          raise();
          activateWindow();
        },
        Qt::QueuedConnection);
  }
  return false;
}

bool PreviewWindow::Run() {
  browser->Load(start_);
  QApplication::instance()->installEventFilter(this);
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  raise();
  activateWindow();
  loop.exec(QEventLoop::DialogExec);
  QApplication::instance()->removeEventFilter(this);
  return ownerClosing_;
}

}  // namespace qs::ui
