#include "ui/spelling/spellunderlay.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

#include "spelling/speller.h"

namespace qs::ui {

SpellUnderlay::SpellUnderlay(QLineEdit* field, spelling::Speller& speller)
    : QWidget(field), field_(field), speller_(speller) {
  setObjectName("SpellUnderlay");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(field->rect());
  field->installEventFilter(this);
  auto repaint = [this] { update(); };
  connect(field, &QLineEdit::textChanged, this, repaint);
  connect(field, &QLineEdit::cursorPositionChanged, this, repaint);
  connect(&speller, &spelling::Speller::changed, this, repaint);
  show();
}

QList<QRect> SpellUnderlay::UnderlinedStretches() const {
  QList<QRect> stretches;
  if (field_->echoMode() != QLineEdit::Normal) return stretches;
  const QString text = field_->text();
  auto state = spelling::MarkupState::Text;
  const QList<spelling::WordRange> misspelt = speller_.MisspeltWords(text, state);
  if (misspelt.isEmpty()) return stretches;
  // The field scrolls its text to keep the caret in view: the caret's place tells where the
  // text starts now. The caret rectangle reaches a little to each side of the caret.
  const QRect caret = field_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QFontMetricsF metrics(field_->font());
  const qreal origin =
      caret.center().x() + 1 - metrics.horizontalAdvance(text.left(field_->cursorPosition()));
  const int baseline = caret.top() + qRound(metrics.ascent());
  const int height = qMax(2, qRound(metrics.descent()));
  const QRect inside = field_->contentsRect();
  for (const spelling::WordRange& word : misspelt) {
    const qreal left = origin + metrics.horizontalAdvance(text.left(word.start));
    const qreal right = origin + metrics.horizontalAdvance(text.left(word.end()));
    const QRect stretch =
        QRect(QPoint(qRound(left), baseline + 1), QPoint(qRound(right) - 1, baseline + height))
            .intersected(inside);
    if (!stretch.isEmpty()) stretches.append(stretch);
  }
  return stretches;
}

bool SpellUnderlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::Resize) setGeometry(field_->rect());
  if (watched == field_ &&
      (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
    update();
  }
  return QWidget::eventFilter(watched, event);
}

void SpellUnderlay::paintEvent(QPaintEvent*) {
  const QList<QRect> stretches = UnderlinedStretches();
  if (stretches.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(QPen(Qt::red, 1));
  for (const QRect& stretch : stretches) {
    // A wave two pixels high with a period of four, as editors underline misspellings.
    QPainterPath wave;
    const qreal top = stretch.top() + 0.5;
    const qreal bottom = top + qMin(2, stretch.height() - 1);
    wave.moveTo(stretch.left(), bottom);
    for (int x = stretch.left(); x < stretch.right(); x += 4) {
      wave.lineTo(x + 2, top);
      wave.lineTo(qMin(x + 4, stretch.right() + 1), bottom);
    }
    painter.drawPath(wave);
  }
}

}  // namespace qs::ui
