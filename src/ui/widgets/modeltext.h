#pragma once

// Texts crossing between the model and the widgets. The model holds Windows-1252 bytes and
// the system's bytes for paths; the widgets hold Unicode.

#include <QString>
#include <QTextDocument>
#include <string>

namespace qs::ui {

// Model text (Windows-1252) to Unicode and back; a character the code page lacks is kept as a
// numeric character reference.
QString FromModel(const std::string& text);
std::string ToModel(const QString& text);
// Multi-line texts: CR LF in the model, line feeds in the editors.
QString FromModelLines(const std::string& text);
std::string ToModelLines(const QString& text);
// What an editor's document holds, with its paragraph and line separators as line feeds and
// every other character as it stands. The document's own plain-text export would also turn
// each no-break space into a plain space, and so change the author's text unasked.
QString EditorLines(const QTextDocument& document);
// Paths and messages: the system's bytes.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

}  // namespace qs::ui
