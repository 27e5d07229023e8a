#include "spelling/spellwords.h"

#include <algorithm>

namespace qs::spelling {

namespace {

// Longer runs of letters are data (encoded bytes, a long identifier), not words.
constexpr qsizetype kLongestWord = 64;

bool IsLetter(QChar c) {
  return c.isLetter() || c.isMark();
}

bool IsApostrophe(QChar c) {
  return c == u'\'' || c == u'\u2019';
}

// Characters that glue a word to code: "#PB_Any", "@Variable", "$FF", "a.b", "path/name"
// before it; "Text$", "Call(", "name/path", "name_x" after it.
bool IsCodeBefore(QChar c) {
  return c == u'$' || c == u'#' || c == u'/' || c == u'\\' || c == u'@' || c == u'_' || c == u'%' ||
         c == u'`' || c == u'.';
}

bool IsCodeAfter(QChar c) {
  return c == u'$' || c == u'/' || c == u'\\' || c == u'@' || c == u'_' || c == u'%' || c == u'(' ||
         c == u'`';
}

// "<" starts a tag only where HTML would take it as one: "a < b" is text.
bool StartsTag(QStringView text, qsizetype at) {
  if (at + 1 >= text.size()) return false;
  const QChar next = text[at + 1];
  return next.isLetter() || next == u'/' || next == u'!' || next == u'?';
}

// The end of the entity or character reference at `at` ("&nbsp;", "&#945;", "&#x3B1;"); `at`
// itself when none starts there.
qsizetype EntityEnd(QStringView text, qsizetype at) {
  qsizetype i = at + 1;
  if (i < text.size() && text[i] == u'#') ++i;
  const qsizetype nameStart = i;
  while (i < text.size() && text[i].isLetterOrNumber() && text[i].unicode() < 128) ++i;
  if (i == nameStart) return at;
  if (i < text.size() && text[i] == u';') ++i;
  return i;
}

bool IsProse(QStringView text, qsizetype start, qsizetype end) {
  const qsizetype length = end - start;
  if (length < 2 || length > kLongestWord) return false;
  for (qsizetype i = start; i < end; ++i) {
    const QChar c = text[i];
    if (c.isDigit() || c == u'_') return false;
    if (i > start && c.isUpper()) return false;
  }
  if (start > 0 && IsCodeBefore(text[start - 1])) return false;
  if (end < text.size()) {
    const QChar after = text[end];
    if (IsCodeAfter(after)) return false;
    if (after == u'.' && end + 1 < text.size() && text[end + 1].isLetterOrNumber()) return false;
  }
  return true;
}

}  // namespace

QList<WordRange> CheckableWords(QStringView text, MarkupState& state) {
  QList<WordRange> words;
  // A word written with a reference in it ("caf&eacute;") is only a part of a word.
  qsizetype referenceEnd = -1;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n) {
    if (state != MarkupState::Text) {
      const QStringView close = state == MarkupState::Comment ? QStringView(u"-->") : u">";
      const qsizetype at = text.indexOf(close, i);
      if (at < 0) return words;
      i = at + close.size();
      state = MarkupState::Text;
      continue;
    }
    const QChar c = text[i];
    if (c == u'<' && StartsTag(text, i)) {
      const bool comment = text.mid(i).startsWith(u"<!--");
      state = comment ? MarkupState::Comment : MarkupState::Tag;
      i += comment ? 4 : 1;
      continue;
    }
    if (c == u'&') {
      const qsizetype end = EntityEnd(text, i);
      if (end > i) referenceEnd = end;
      i = std::max(end, i + 1);
      continue;
    }
    // Only what can start the run below: a number that is no digit (a superscript two, a
    // vulgar fraction) would make an empty run and never move on.
    if (!IsLetter(c) && !c.isDigit() && c != u'_') {
      ++i;
      continue;
    }
    // A run of letters, digits and "_", with apostrophes inside words ("don't").
    qsizetype end = i;
    while (end < n) {
      const QChar d = text[end];
      if (IsLetter(d) || d.isDigit() || d == u'_') {
        ++end;
      } else if (IsApostrophe(d) && end > i && end + 1 < n && IsLetter(text[end + 1]) &&
                 IsLetter(text[end - 1])) {
        ++end;
      } else {
        break;
      }
    }
    const bool touchesReference =
        i == referenceEnd || (end < n && text[end] == u'&' && EntityEnd(text, end) > end);
    if (!touchesReference && IsProse(text, i, end)) words.append({i, end - i});
    i = end;
  }
  return words;
}

}  // namespace qs::spelling
