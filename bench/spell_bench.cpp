// Spell checking of the description editor: checking a 5,000-character description again
// (after "Ignore", a new topic or another dictionary), one keystroke in it, and the same
// description seen for the first time by a freshly loaded dictionary. Uses the installed
// en_US dictionary.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>

#include "spelling/spelldictionary.h"
#include "spelling/speller.h"
#include "ui/spelling/spellcheck.h"

namespace {

using qs::spelling::Speller;
using qs::ui::SpellCheck;

// Prose with markup, references, names of functions and a few misspellings, as a description
// is written: about 5,000 characters over a dozen lines.
QString Description() {
  const QString paragraph = QStringLiteral(
      "Returns the <b>text</b> without its leading and trailing blanks, as "
      "<a href=\"TextTrimLeft.html\">TextTrimLeft()</a> and TextTrimRight() do for one side. "
      "The result is a new string&nbsp;: the original is never changed, and an emtpy text "
      "gives an empty result. Tabs count as blanks only when #TEXT_TABS is given in Flags.\n");
  QString text;
  while (text.size() < 5000) text += paragraph;
  return text.left(5000);
}

struct Editor {
  Editor() : speller(qs::spelling::DictionaryFolders()), check(speller) {
    speller.SetDictionary("en_US");
    check.Attach(&editor);
    editor.setPlainText(Description());
  }
  Speller speller;
  SpellCheck check;
  QPlainTextEdit editor;
};

void BM_RecheckDescription(benchmark::State& state) {
  Editor e;
  if (e.speller.activeDictionary() != "en_US") state.SkipWithError("en_US is not installed");
  for (auto _ : state) emit e.speller.changed();
  state.SetLabel("5,000 characters, words known");
  // Each paragraph has one misspelt word: the checking really happened.
  int misspelt = 0;
  for (QTextBlock block = e.editor.document()->begin(); block.isValid(); block = block.next()) {
    misspelt += static_cast<int>(block.layout()->formats().size());
  }
  state.counters["underlined"] = misspelt;
}
BENCHMARK(BM_RecheckDescription)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInDescription(benchmark::State& state) {
  Editor e;
  QTextCursor cursor(e.editor.document());
  for (auto _ : state) {
    cursor.setPosition(2500);
    cursor.insertText(QStringLiteral("x"));
    cursor.deletePreviousChar();
  }
  state.SetLabel("type and erase a character in the middle");
}
BENCHMARK(BM_KeystrokeInDescription)->Unit(benchmark::kMicrosecond);

void BM_FirstCheckWithNewDictionary(benchmark::State& state) {
  Editor e;
  for (auto _ : state) {
    e.speller.SetDictionary(Speller::kOff);
    e.speller.SetDictionary("en_US");  // read again: every word is new to it
  }
  state.SetLabel("loads en_US and checks 5,000 characters");
}
BENCHMARK(BM_FirstCheckWithNewDictionary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
