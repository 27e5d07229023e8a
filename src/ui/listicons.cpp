#include "ui/listicons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace qs::ui {

namespace {

// The classic 16-colour palette; the drawings use only these.
const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kGrey(128, 128, 128), kNavy(0, 0, 128),
    kTeal(0, 128, 128), kYellow(255, 255, 0), kOlive(128, 128, 0);

QPixmap ToSixteenColours(const QImage& drawn) {
  const QVector<QRgb> palette = {kBlack.rgb(), kWhite.rgb(),  kGrey.rgb(),  kNavy.rgb(),
                                 kTeal.rgb(),  kYellow.rgb(), kOlive.rgb(), qRgba(0, 0, 0, 0)};
  QImage indexed = drawn.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
  return QPixmap::fromImage(indexed.convertToFormat(QImage::Format_ARGB32));
}

}  // namespace

QIcon PageIcon() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // A sheet with a folded corner and four lines of text.
  p.setPen(kBlack);
  p.setBrush(kWhite);
  p.drawPolygon(
      QPolygon({QPoint(2, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(2, 14)}));
  p.setBrush(kGrey);
  p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)}));
  p.setPen(kNavy);
  for (int y = 6; y <= 12; y += 2) p.drawLine(4, y, 11, y);
  p.end();
  return QIcon(ToSixteenColours(image));
}

QIcon IndexIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // A closed book with a bookmark.
  p.setPen(kBlack);
  p.setBrush(kTeal);
  p.drawRect(5, 3, 22, 26);
  p.setBrush(kWhite);
  p.drawRect(24, 5, 3, 22);
  p.setBrush(kNavy);
  p.drawRect(5, 3, 4, 26);
  p.setPen(kYellow);
  p.drawLine(12, 10, 21, 10);
  p.drawLine(12, 13, 19, 13);
  p.setPen(kBlack);
  p.setBrush(kOlive);
  p.drawPolygon(
      QPolygon({QPoint(17, 3), QPoint(21, 3), QPoint(21, 12), QPoint(19, 10), QPoint(17, 12)}));
  p.end();
  return QIcon(ToSixteenColours(image));
}

}  // namespace qs::ui
