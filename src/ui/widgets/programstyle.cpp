#include "ui/widgets/programstyle.h"

#include <QIconEngine>
#include <QPointer>
#include <functional>
#include <utility>

namespace qs::ui {

namespace {

// An icon that is made when it is first drawn or measured, and is then that icon.
class DeferredIconEngine : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Made().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Made().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Made().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Made().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Made().availableSizes(mode, state);
  }
  // Asked when the icon is handed to a control; answered without making it.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("deferred"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  const QIcon& Made() {
    if (make_) {
      made_ = make_();
      make_ = nullptr;
    }
    return made_;
  }

  std::function<QIcon()> make_;
  QIcon made_;
};

}  // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap picture, const QStyleOption* option,
                                 const QWidget* widget) const {
  // The picture depends on neither the menu bar nor an option when none is given.
  if (picture != SP_ToolBarHorizontalExtensionButton || option != nullptr) {
    return QProxyStyle::standardIcon(picture, option, widget);
  }
  return QIcon(new DeferredIconEngine([style = QPointer<QStyle>(baseStyle())] {
    return style ? style->standardIcon(SP_ToolBarHorizontalExtensionButton) : QIcon();
  }));
}

}  // namespace qs::ui
