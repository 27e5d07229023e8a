#include "ui/widgets/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextEdit>

namespace qs::ui {

namespace {

// A name of fewer than two letters ("?", "...", "B") tells a listener nothing of what the
// control does.
bool SaysSomething(const QString& name) {
  int letters = 0;
  for (const QChar c : name) {
    if (c.isLetter() && ++letters == 2) return true;
  }
  return false;
}

bool TakesFocus(const QWidget* widget) {
  // A button that keeps the focus away (a tag button) is still pressed by name.
  return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(widget);
}

QString NameQtGives(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

QString HintOf(const QWidget* widget) {
  if (const auto* field = qobject_cast<const QLineEdit*>(widget)) return field->placeholderText();
  if (const auto* editor = qobject_cast<const QPlainTextEdit*>(widget))
    return editor->placeholderText();
  if (const auto* editor = qobject_cast<const QTextEdit*>(widget)) return editor->placeholderText();
  return {};
}

// The words of the label that gives `widget` the focus, if one does.
QString BuddyCaption(const QWidget* window, const QWidget* widget) {
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() == widget) return ReadableName(label->text());
  }
  return {};
}

QString NameFor(QWidget* window, QWidget* widget) {
  // Qt's item views take no name from their caption.
  for (const QString& words : {BuddyCaption(window, widget), widget->toolTip(), HintOf(widget)}) {
    const QString name = ReadableName(words);
    if (SaysSomething(name)) return name;
  }
  // A tab panel that takes the focus stands for its tabs.
  if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << ReadableName(tabs->tabText(i));
    return captions.join(QStringLiteral(", "));
  }
  return {};
}

}  // namespace

QString ReadableName(const QString& text) {
  static const QRegularExpression keyHints(QStringLiteral("(\\s*\\[[^\\]]*\\])+\\s*$"));
  QString name = text;
  name.remove(keyHints);
  QString readable;
  readable.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    if (name[i] == u'&' && i + 1 < name.size()) ++i;
    readable += name[i];
  }
  return readable.trimmed();
}

void NameForScreenReaders(QWidget* window) {
  const QList<QWidget*> widgets = window->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    if (!TakesFocus(widget) || !widget->accessibleName().isEmpty()) continue;
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
      // On Linux Qt names a drop-down by its current entry and its opened list by nothing: the
      // list is named by the drop-down's caption.
      const QString caption = BuddyCaption(window, list);
      if (caption.isEmpty()) continue;
      list->setAccessibleName(caption);
      if (list->view()->accessibleName().isEmpty()) list->view()->setAccessibleName(caption);
      continue;
    }
    if (SaysSomething(NameQtGives(widget))) continue;
    const QString name = NameFor(window, widget);
    if (!name.isEmpty()) widget->setAccessibleName(name);
  }
}

}  // namespace qs::ui
