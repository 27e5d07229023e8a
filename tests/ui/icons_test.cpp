// The icons are drawn for the pixel ratio of the screen, not blown up from a small picture:
// each is there, and its picture at twice the ratio holds detail that the doubled picture at
// the normal ratio lacks. The program's style draws the standard pictures as the desktop's
// style does, the one it defers included, and a frame's border kept as a picture looks as the
// desktop style draws it.

#include "ui/widgets/icons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <tuple>
#include <utility>

#include "ui/widgets/controls.h"
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
  const std::vector<std::tuple<const char*, std::function<QIcon()>, const char*>> icons = {
      {"page", PageIcon, "page"},
      {"blank page", BlankPageIcon, "page-blank"},
      {"index", IndexIcon, "index"},
      {"up", UpArrowIcon, "arrow-up"},
      {"down", DownArrowIcon, "arrow-down"},
      {"left", LeftArrowIcon, "arrow-left"},
      {"right", RightArrowIcon, "arrow-right"},
      {"both ways", BothWaysArrowIcon, "arrow-left-right"},
      {"cross", CrossIcon, "cross"},
      {"live", LiveIcon, "live"},
      {"program", ProgramIcon, "quillsmith"}};
  const QSize size(16, 16);
  for (const auto& [name, make, file] : icons) {
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
    // Drawn as Qt's own engine for scalable images draws the same file, in every mode.
    const QIcon byQt(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file)));
    for (const QSize asked : {QSize(16, 16), QSize(22, 22), QSize(48, 32)}) {
      EXPECT_EQ(icon.actualSize(asked), byQt.actualSize(asked)) << name;
      for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected}) {
        for (const qreal ratio : {1.0, 2.0}) {
          EXPECT_EQ(icon.pixmap(asked, ratio, mode).toImage(),
                    byQt.pixmap(asked, ratio, mode).toImage())
              << name << " " << asked.width() << "x" << asked.height() << " mode " << mode << " at "
              << ratio;
        }
      }
    }
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

// The largest difference of a colour channel between two pictures of one size.
int Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  int most = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (const int d :
           {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q), qAlpha(p) - qAlpha(q)}) {
        most = std::max(most, std::abs(d));
      }
    }
  }
  return most;
}

// Drawn whole and in part (at pixel ratios 1 and 2), twice (the first draws the kept picture,
// the second copies it), at two sizes and over two window colours. Blending the border's edges onto
// the picture first may round a channel of a pixel the other way, by one shade at most.
TEST(Icons, aFramesBorderLooksAsTheDesktopStyleDrawsIt) {
  QGroupBox plain("Files");
  const std::unique_ptr<QGroupBox> kept(controls::Group("Kept", "Files", false));
  for (const QSize size : {QSize(200, 120), QSize(260, 90)}) {
    for (const QColor window : {QColor(239, 239, 239), QColor(200, 220, 240)}) {
      for (QGroupBox* box : {&plain, kept.get()}) {
        box->resize(size);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, window);
        box->setPalette(palette);
      }
      for (int pass = 0; pass < 2; ++pass) {
        EXPECT_LE(Difference(kept->grab().toImage(), plain.grab().toImage()), 1)
            << size.width() << " over " << window.name().toStdString();
        for (const qreal ratio : {1.0, 2.0}) {
          QImage part(size * ratio, QImage::Format_ARGB32_Premultiplied);
          part.setDevicePixelRatio(ratio);
          part.fill(Qt::magenta);
          QImage plainPart = part.copy();
          const QRegion inside(QRect(2, size.height() - 30, 60, 28));
          kept->render(&part, {}, inside);
          plain.render(&plainPart, {}, inside);
          EXPECT_LE(Difference(part, plainPart), 1) << size.width() << " at " << ratio;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qs::ui
