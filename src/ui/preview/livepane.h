#pragma once

#include <QPointF>
#include <QUrl>
#include <QWidget>

class QTimer;

namespace qs::ui {

class PageView;

// The live pane beside the page form: the shown topic's page as it is being typed. Typing
// makes a refresh due once it pauses for kPause; filling the form makes it due at once. A
// page shown again keeps the scroll position it had. Its web view is made with the first page
// it shows; until then it is the empty white page. Without a web view it stays that.
class LivePane : public QWidget {
  Q_OBJECT

 public:
  explicit LivePane(QWidget* parent = nullptr);

  // The pause after the last keystroke: keystrokes closer together than this make one
  // refresh, so typing never waits for one, and the page shows the keystroke well within
  // 100 ms of it, this pause included.
  static constexpr int kPause = 50;
  // The width it asks for when it opens.
  static constexpr int kMinimumWidth = 360;

  // Shows the pane, the last part of its splitter, or hides it. Opening, it takes the room the
  // form beside it has, by growing the window where the screen allows, else by sharing.
  void SetOpen(bool open);
  // Shows `url`; the address it shows already is shown again at the same scroll position.
  void Show(const QUrl& url);
  // A keystroke in the form: the refresh waits until the typing pauses.
  void FormEdited();
  // The form shows another topic, or none: the refresh is due at once.
  void FormReplaced();

  // The web view; null until the first page is shown, and without one.
  PageView* view() const { return view_; }

 signals:
  // The form's texts should be shown again.
  void refreshDue();
  // A page the pane was given has been shown (after its scroll position was restored).
  void pageShown(bool ok);

 private:
  void MakeView();

  PageView* view_ = nullptr;
  QTimer* pause_ = nullptr;
  QUrl shown_;
  // The scroll position to restore once the page shown again has loaded.
  QPointF keepScroll_;
  bool restoreScroll_ = false;
  // What the window grew by when the pane opened.
  int grown_ = 0;
};

}  // namespace qs::ui
