#pragma once

// The controls of the main window as it makes them: each placed at its spot, named by its
// role, with the colours and faces of its kind.

#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace qs::ui::controls {

// A button with the background colour `face`; a flat one gets a thin grey border.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tooltip, QRect place, const char* face, bool flat);
// A frame with a caption, dark green for the frames of the tabs.
QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, QRect place,
                 bool darkGreenCaption);
QLabel* Label(QWidget* parent, const QString& caption, QRect place);
QLineEdit* Field(QWidget* parent, const char* name, const QString& tooltip, QRect place,
                 bool readOnly);
// A word-wrapping editor in dark blue on white, holding `text`, which is its tooltip too.
QPlainTextEdit* Editor(QWidget* parent, const char* name, const QString& text, QRect place);
// The arrow buttons use a larger glyph, as their pictures once came from a symbol font.
void ArrowFont(QPushButton* button);

}  // namespace qs::ui::controls
