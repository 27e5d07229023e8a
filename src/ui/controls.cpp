#include "ui/controls.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qs::ui::controls {

namespace {

const char* const kDarkGreen = "rgb(0, 98, 49)";

QString Face(const char* colour, bool flat) {
  QString sheet = QString("QPushButton { background-color: %1;").arg(colour);
  if (flat) sheet += " border: 1px solid rgb(160, 160, 160);";
  sheet += " } QPushButton:disabled { color: rgb(150, 150, 150); }";
  return sheet;
}

}  // namespace

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tooltip, QRect place, const char* face, bool flat) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(tooltip);
  button->setGeometry(place);
  button->setFlat(flat);
  button->setStyleSheet(Face(face, flat));
  return button;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, QRect place,
                 bool darkGreenCaption) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  group->setGeometry(place);
  if (darkGreenCaption) {
    group->setStyleSheet(QString("QGroupBox { color: %1; }").arg(kDarkGreen));
  }
  return group;
}

QLabel* Label(QWidget* parent, const QString& caption, QRect place) {
  auto* label = new QLabel(caption, parent);
  label->setGeometry(place);
  return label;
}

QLineEdit* Field(QWidget* parent, const char* name, const QString& tooltip, QRect place,
                 bool readOnly) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setToolTip(tooltip);
  field->setGeometry(place);
  field->setReadOnly(readOnly);
  return field;
}

QPlainTextEdit* Editor(QWidget* parent, const char* name, const QString& text, QRect place) {
  auto* editor = new QPlainTextEdit(text, parent);
  editor->setObjectName(name);
  editor->setToolTip(text);
  editor->setGeometry(place);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setStyleSheet("QPlainTextEdit { color: rgb(0, 0, 160); background: white; }");
  return editor;
}

void ArrowFont(QPushButton* button) {
  QFont font = button->font();
  font.setPointSize(10);
  button->setFont(font);
}

}  // namespace qs::ui::controls
