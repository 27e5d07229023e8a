#include "ui/widgets/modeltext.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

#include "text/cp1252.h"

namespace qs::ui {

namespace {

// Plain ASCII without references reads the same in Windows-1252 and in Latin-1, and needs no
// detour through UTF-8: names and functions lists nearly always are.
bool IsPlainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '&'; });
}

// What a text document keeps as line breaks however they are given: the paragraph and line
// separators, and the marks of a frame's start and end.
constexpr std::array<char16_t, 4> kLineBreaks = {u'\u2028', u'\u2029', u'\uFDD0', u'\uFDD1'};

// UTF-8 to Unicode, a byte order mark at the start kept: there it is a character of the
// author's text (from a reference), which the usual conversion would drop.
QString FromUtf8Text(const std::string& utf8) {
  QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace

QString FromModel(const std::string& text) {
  if (IsPlainAscii(text)) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  }
  return FromUtf8Text(text::Utf8FromCp1252(text));
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
  // A reference to a character the document takes for a line break would come back as a line
  // break: it is shown as the reference it is. No byte of the code page becomes one of these
  // characters, so each stands for exactly that reference.
  for (const char16_t lineBreak : kLineBreaks) {
    if (shown.contains(QChar(lineBreak))) {
      shown.replace(QChar(lineBreak),
                    QStringLiteral("&#%1;").arg(static_cast<unsigned>(lineBreak)));
    }
  }
  return shown;
}

std::string ToModelLines(const QString& text) {
  QString lines = text;
  lines.replace("\n", "\r\n");
  return ToModel(lines);
}

QString EditorLines(const QTextDocument& document) {
  QString lines = document.toRawText();
  for (QChar& c : lines) {
    if (std::find(kLineBreaks.begin(), kLineBreaks.end(), c.unicode()) != kLineBreaks.end()) {
      c = u'\n';
    }
  }
  return lines;
}

QString FromBytes(const std::string& bytes) {
  return QString::fromStdString(text::Utf8FromBytes(bytes));
}

std::string ToBytes(const QString& text) {
  return text.toStdString();
}

}  // namespace qs::ui
