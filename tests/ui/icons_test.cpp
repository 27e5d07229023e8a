// The icons are drawn for the pixel ratio of the screen, not blown up from a small picture:
// each is there, and its picture at twice the ratio holds detail that the doubled picture at
// the normal ratio lacks. The program's style draws the standard pictures as the desktop's
// style does, the one it defers included.

#include "ui/widgets/icons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <functional>

#include "ui/widgets/programstyle.h"

namespace qs::ui {
namespace {

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
  }
  return count;
}

TEST(Icons, everyIconIsDrawnSharpAtTheScalesOfCommonScreens) {
  const std::vector<std::pair<const char*, std::function<QIcon()>>> icons = {
      {"page", PageIcon},        {"blank page", BlankPageIcon},    {"index", IndexIcon},
      {"up", UpArrowIcon},       {"down", DownArrowIcon},          {"left", LeftArrowIcon},
      {"right", RightArrowIcon}, {"both ways", BothWaysArrowIcon}, {"cross", CrossIcon},
      {"program", ProgramIcon}};
  const QSize size(16, 16);
  for (const auto& [name, make] : icons) {
    const QIcon icon = make();
    ASSERT_FALSE(icon.isNull()) << name;
    const QImage single = icon.pixmap(size, 1.0).toImage();
    EXPECT_GT(OpaquePixels(single), 10) << name;
    for (const qreal ratio : {1.5, 2.0}) {
      const QPixmap pixmap = icon.pixmap(size, ratio);
      EXPECT_EQ(pixmap.size(), size * ratio) << name << " at " << ratio;
      EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(size)) << name << " at " << ratio;
    }
    const QImage doubled = single.scaled(size * 2).convertToFormat(QImage::Format_ARGB32);
    const QImage sharp = icon.pixmap(size, 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_NE(sharp, doubled) << name;
  }
}

TEST(Icons, theProgramStyleDrawsTheStandardPicturesOfTheDesktopStyle) {
  ProgramStyle program;
  QStyle* desktop = QApplication::style();
  for (const QStyle::StandardPixmap picture :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_TitleBarCloseButton,
        QStyle::SP_ArrowRight}) {
    const QIcon icon = program.standardIcon(picture);
    ASSERT_FALSE(icon.isNull()) << picture;
    for (const qreal ratio : {1.0, 2.0}) {
      EXPECT_EQ(icon.pixmap(QSize(16, 16), ratio).toImage(),
                desktop->standardIcon(picture).pixmap(QSize(16, 16), ratio).toImage())
          << picture << " at " << ratio;
    }
    EXPECT_EQ(icon.actualSize(QSize(64, 64)),
              desktop->standardIcon(picture).actualSize(QSize(64, 64)))
        << picture;
  }
}

}  // namespace
}  // namespace qs::ui
