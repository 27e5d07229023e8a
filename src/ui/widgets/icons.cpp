#include "ui/widgets/icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>

namespace qs::ui {

namespace {

// Draws one of the scalable images built into the program at whatever size and pixel ratio a
// control asks for, as Qt's own engine for such images does, pixel for pixel. That engine is
// a plugin, found and opened with its library before the first icon exists, and it reads each
// image twice; this one links nothing at run time and reads its image once, when the icon is
// first drawn, after the window is on screen.
class BuiltinImageEngine : public QIconEngine {
 public:
  explicit BuiltinImageEngine(QString path) : path_(std::move(path)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap& drawn = drawn_[{size.width(), size.height(), mode, state}];
    if (drawn.isNull()) drawn = Draw(size, mode);
    return drawn;
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    QSize size = rect.size();
    if (painter->device() != nullptr) size *= painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(size, mode, state));
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return pixmap(size, mode, state).size();
  }
  // Asked as a button measures itself, before the window is on screen: answered by the
  // image's presence, without reading it.
  bool isNull() override { return !QFile::exists(path_); }
  QString key() const override { return QStringLiteral("builtin-svg"); }
  QIconEngine* clone() const override { return new BuiltinImageEngine(path_); }

 private:
  QSvgRenderer& Renderer() {
    if (!renderer_) renderer_ = std::make_unique<QSvgRenderer>(path_);
    return *renderer_;
  }

  // The image at its own proportions within `size`, clear around it; a disabled or selected
  // icon is the style's change of the normal one.
  QPixmap Draw(const QSize& size, QIcon::Mode mode) {
    QSvgRenderer& renderer = Renderer();
    if (!renderer.isValid()) return {};
    QSize actual = renderer.defaultSize();
    if (!actual.isNull()) actual.scale(size, Qt::KeepAspectRatio);
    if (actual.isEmpty()) return {};
    QImage image(actual, QImage::Format_ARGB32_Premultiplied);
    image.fill(0x00000000);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap drawn = QPixmap::fromImage(image);
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      const QPixmap changed = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
      if (!changed.isNull()) drawn = changed;
    }
    return drawn;
  }

  QString path_;
  std::unique_ptr<QSvgRenderer> renderer_;
  std::map<std::tuple<int, int, QIcon::Mode, QIcon::State>, QPixmap> drawn_;
};

QIcon Builtin(const char* name) {
  return QIcon(new BuiltinImageEngine(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))));
}

}  // namespace

QIcon PageIcon() {
  return Builtin("page");
}
QIcon BlankPageIcon() {
  return Builtin("page-blank");
}
QIcon IndexIcon() {
  return Builtin("index");
}
QIcon UpArrowIcon() {
  return Builtin("arrow-up");
}
QIcon DownArrowIcon() {
  return Builtin("arrow-down");
}
QIcon LeftArrowIcon() {
  return Builtin("arrow-left");
}
QIcon RightArrowIcon() {
  return Builtin("arrow-right");
}
QIcon BothWaysArrowIcon() {
  return Builtin("arrow-left-right");
}
QIcon LiveIcon() {
  return Builtin("live");
}
QIcon CrossIcon() {
  return Builtin("cross");
}
QIcon ProgramIcon() {
  // The same picture the package installs for the desktop's menus; asking the icon theme for
  // it would search every theme folder before the window could open.
  return Builtin("quillsmith");
}

}  // namespace qs::ui
