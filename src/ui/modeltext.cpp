#include "ui/modeltext.h"

#include "text/cp1252.h"

namespace qs::ui {

QString FromModel(const std::string& text) {
  return QString::fromStdString(text::Utf8FromCp1252(text));
}

std::string ToModel(const QString& text) {
  return text::Cp1252FromUtf8(text.toStdString());
}

QString FromModelLines(const std::string& text) {
  QString shown = FromModel(text);
  shown.replace("\r\n", "\n");
  return shown;
}

std::string ToModelLines(const QString& text) {
  QString lines = text;
  lines.replace("\n", "\r\n");
  return ToModel(lines);
}

QString FromBytes(const std::string& bytes) {
  return QString::fromStdString(text::Utf8FromBytes(bytes));
}

std::string ToBytes(const QString& text) {
  return text.toStdString();
}

}  // namespace qs::ui
