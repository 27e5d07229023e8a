#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <QUrl>

class QFrame;
class QLineEdit;
class QPushButton;
class QWebEngineView;

namespace qs::ui {

// The modal preview window over the main window: Back, Forward and End, the read-only
// address field, a separator and the web view on one page. Esc ends the preview; F1 and
// F2 go back and forward and then show the address the browser arrives at, which the buttons
// do not.
class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  PreviewWindow(QWidget* owner, const QString& title, const QUrl& start);
  ~PreviewWindow() override;

  // Shows the page and runs until the preview ends.
  void Run();

  QPushButton* backButton = nullptr;
  QPushButton* forwardButton = nullptr;
  QPushButton* endButton = nullptr;
  QLineEdit* addressField = nullptr;
  QFrame* separator = nullptr;
  QWebEngineView* browser = nullptr;

  // The inner size when it opens and the smallest; larger when the controls need it.
  static constexpr QSize kInner{600, 400};
  static constexpr QSize kMinimumInner{500, 300};

  // The browser's address as the field shows it: a local page as its path.
  QString CurrentAddress() const;
  static QString AddressOf(const QUrl& url);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // After a key: the field follows the page the browser arrives at.
  void GoByKey(bool forward);

  bool addressFollowsNavigation_ = false;
  bool shownOnce_ = false;
  QUrl start_;
};

}  // namespace qs::ui
