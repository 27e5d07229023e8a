#pragma once

// Texts crossing between the model and the widgets. The model holds Windows-1252 bytes and
// the system's bytes for paths; the widgets hold Unicode.

#include <QString>
#include <string>

namespace qs::ui {

// Model text (Windows-1252) to Unicode and back; a character the code page lacks is kept as a
// numeric character reference.
QString FromModel(const std::string& text);
std::string ToModel(const QString& text);
// Multi-line texts: CR LF in the model, line feeds in the editors.
QString FromModelLines(const std::string& text);
std::string ToModelLines(const QString& text);
// Paths and messages: the system's bytes.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

}  // namespace qs::ui
