#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <QUrl>

class QFrame;
class QLineEdit;
class QPushButton;

namespace qs::ui {

class PageView;

// The preview window over the main window: Back, Forward and End, the read-only address
// field, a separator and the web view on one page. Esc and the close box end the
// preview; F1 and F2 go back and forward and then show the address the browser arrives at,
// which the buttons do not. It has no minimise or maximise button. While it runs, every other
// window of the program takes no input; the main window's close box ends the preview, and the
// caller then closes the main window.
class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // `browser` (MakePageView) becomes the window's.
  PreviewWindow(QWidget* owner, const QString& title, const QUrl& start, PageView* browser);
  ~PreviewWindow() override;

  // Shows the page and runs until the preview ends. True when the owner was asked to close
  // meanwhile: the preview ended for that, and the owner is still to be closed.
  bool Run();

  QPushButton* backButton = nullptr;
  QPushButton* forwardButton = nullptr;
  QPushButton* endButton = nullptr;
  QLineEdit* addressField = nullptr;
  QFrame* separator = nullptr;
  PageView* browser = nullptr;

  // The inner size it opens with at the least, and the smallest it can be made; larger when
  // the controls need it, never larger than the screen's room.
  static constexpr QSize kInner{600, 400};
  static constexpr QSize kMinimumInner{500, 300};
  // The size it opens with unless it is put where it was last time: on a screen whose room
  // for it is `room`, three fifths of the width and four fifths of the height, at least kInner.
  static QSize UsefulSize(QSize room);

  // The browser's address as the field shows it: a local page as its path.
  QString CurrentAddress() const;
  static QString AddressOf(const QUrl& url);

 protected:
  void showEvent(QShowEvent* event) override;
  // Modal in effect: input to other windows is dropped, and the owner's close request ends
  // the preview instead of closing the owner underneath it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // After a key: the field follows the page the browser arrives at.
  void GoByKey(bool forward);

  // Whether `object` is this window, one of its controls, or a window it opened (a menu).
  bool Inside(const QObject* object) const;

  bool ownerClosing_ = false;
  bool addressFollowsNavigation_ = false;
  bool shownOnce_ = false;
  QUrl start_;
};

}  // namespace qs::ui
