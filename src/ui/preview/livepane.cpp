#include "ui/preview/livepane.h"

#include <QPalette>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/preview/pageview.h"
#include "ui/preview/webviewloader.h"

namespace qs::ui {

LivePane::LivePane(QWidget* parent) : QWidget(parent) {
  setObjectName("LivePane");
  // The empty page, as the web view shows it.
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  connect(pause_, &QTimer::timeout, this, [this] {
    if (isVisible()) emit refreshDue();
  });
}

void LivePane::MakeView() {
  view_ = MakePageView(this);
  if (view_ == nullptr) return;
  view_->setObjectName("LivePaneBrowser");
  layout()->addWidget(view_);
  view_->OnLoaded([this](bool ok) {
    if (!restoreScroll_) {
      emit pageShown(ok);
      return;
    }
    restoreScroll_ = false;
    view_->ScrollTo(keepScroll_, [this, ok] { emit pageShown(ok); });
  });
}

void LivePane::SetOpen(bool open) {
  if (isVisibleTo(window()) == open) return;
  setVisible(open);
  QWidget* top = window();
  if (!open) {
    // The window gives back what it grew by for the pane.
    if (grown_ > 0 && !top->isMaximized() && !top->isFullScreen()) {
      top->resize(std::max(top->width() - grown_, top->minimumWidth()), top->height());
    }
    grown_ = 0;
    return;
  }
  auto* splitter = qobject_cast<QSplitter*>(parentWidget());
  if (splitter == nullptr || splitter->count() < 2) return;
  QList<int> sizes = splitter->sizes();
  const qsizetype self = sizes.size() - 1;
  const qsizetype form = self - 1;
  int grow = 0;
  if (!top->isMaximized() && !top->isFullScreen() && top->screen() != nullptr) {
    const int room = top->screen()->availableGeometry().width() - top->frameGeometry().width();
    grow = std::clamp(std::max(sizes[form], kMinimumWidth) - sizes[self], 0, std::max(room, 0));
    top->resize(top->width() + grow, top->height());
    grown_ = grow;
  }
  // Without room enough the two share it, the pane at least half.
  const int shared = sizes[form] + sizes[self] + grow;
  sizes[form] = std::min(sizes[form], shared - shared / 2);
  sizes[self] = shared - sizes[form];
  splitter->setSizes(sizes);
}

void LivePane::Show(const QUrl& url) {
  if (view_ == nullptr) MakeView();
  if (view_ == nullptr) return;
  restoreScroll_ = url == shown_ && url.scheme() != "about";
  if (restoreScroll_) keepScroll_ = view_->ScrollPosition();
  shown_ = url;
  view_->Load(url);
}

void LivePane::FormEdited() {
  if (isVisible()) pause_->start(kPause);
}

void LivePane::FormReplaced() {
  if (isVisible()) pause_->start(0);
}

}  // namespace qs::ui
