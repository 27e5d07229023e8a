#include "ui/modeltext.h"

#include <algorithm>

#include "text/cp1252.h"

namespace qs::ui {

namespace {

// Plain ASCII without references reads the same in Windows-1252 and in Latin-1, and needs no
// detour through UTF-8: names and functions lists nearly always are.
bool IsPlainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '&'; });
}

}  // namespace

QString FromModel(const std::string& text) {
  if (IsPlainAscii(text)) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  }
  return QString::fromStdString(text::Utf8FromCp1252(text));
}

std::string ToModel(const QString& text) {
  return text::Cp1252FromUtf8(text.toStdString());
}

QString FromModelLines(const std::string& text) {
  // A functions list of thousands of lines: one pass, where the general way takes three.
  if (IsPlainAscii(text)) {
    QString lines(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = lines.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      *out++ = QLatin1Char(text[i]);
    }
    lines.truncate(out - lines.constData());
    return lines;
  }
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
