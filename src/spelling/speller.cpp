#include "spelling/speller.h"

#include <QLocale>
#include <QTimer>
#include <algorithm>

#include "config/wordlist.h"

namespace qs::spelling {

namespace {

// A word at the start of a sentence is capitalised: "Zlib" is as good as the "zlib" the
// author added.
bool ContainsWord(const QSet<QString>& words, const QString& word) {
  if (words.contains(word)) return true;
  if (word.isEmpty() || !word.front().isUpper()) return false;
  QString lowered = word;
  lowered[0] = lowered[0].toLower();
  return words.contains(lowered);
}

constexpr int kMostSuggestions = 8;

}  // namespace

Speller::Speller(const QStringList& folders, QObject* parent)
    : QObject(parent), folders_(folders), installed_(FindDictionaries(folders)) {
  Resolve();
}

Speller::~Speller() = default;

void Speller::Rescan() {
  QList<DictionaryFiles> found = FindDictionaries(folders_);
  if (found == installed_) return;
  installed_ = std::move(found);
  // A dictionary that failed may have been mended or replaced.
  const bool reload =
      loadFailed_ || std::none_of(installed_.begin(), installed_.end(),
                                  [this](const DictionaryFiles& f) { return f.name == active_; });
  emit dictionariesFound();
  Resolve(reload);
}

QString Speller::DefaultDictionary(const QStringList& installed, const QString& localeName) {
  if (installed.contains(localeName)) return localeName;
  const QString language = localeName.section(QLatin1Char('_'), 0, 0);
  if (!language.isEmpty() && language != QLatin1String("C")) {
    for (const QString& name : installed) {
      if (name == language || name.startsWith(language + QLatin1Char('_'))) return name;
    }
  }
  if (installed.contains(QStringLiteral("en_US"))) return QStringLiteral("en_US");
  return {};
}

void Speller::SetDictionary(const QString& choice) {
  choice_ = choice;
  Resolve();
}

void Speller::Resolve(bool reload) {
  QStringList names;
  for (const DictionaryFiles& files : installed_) names.append(files.name);
  QString active;
  if (choice_ != kOff) {
    active = names.contains(choice_) ? choice_ : DefaultDictionary(names, QLocale::system().name());
  }
  if (active == active_ && !reload) return;
  active_ = active;
  dictionary_.reset();
  loadFailed_ = false;
  emit dictionaryChanged(active_);
  emit changed();
}

QString Speller::activeDictionary() const {
  return loadFailed_ ? QString() : active_;
}

bool Speller::EnsureLoaded() {
  if (dictionary_) return true;
  if (active_.isEmpty() || loadFailed_) return false;
  for (const DictionaryFiles& files : installed_) {
    if (files.name == active_) dictionary_ = SpellDictionary::Open(files);
  }
  if (!dictionary_) {
    // Unreadable after all, or in an encoding this system cannot convert: off, and said so.
    loadFailed_ = true;
    emit dictionaryChanged(QString());
    return false;
  }
  return true;
}

void Speller::SetProjectWordListPath(const std::string& path) {
  if (path == wordListPath_) return;
  wordListPath_ = path;
  ReadProjectWords();
  emit changed();
}

void Speller::ReadProjectWords() {
  projectWords_.clear();
  if (wordListPath_.empty()) return;
  for (const std::string& word : config::ReadWordList(wordListPath_).words) {
    projectWords_.insert(QString::fromStdString(word));
  }
}

void Speller::SetTopicNameProvider(std::function<QStringList()> provider) {
  topicNames_ = std::move(provider);
  TopicNamesChanged();
}

void Speller::TopicNamesChanged() {
  topicWordsStale_ = true;
  RecheckSoon();
}

void Speller::TopicNameAdded(const QString& name) {
  // Stale words are counted afresh from the provider, which has the name already.
  if (!topicWordsStale_ && CountTopicWords(name, 1)) RecheckSoon();
}

void Speller::TopicNameRemoved(const QString& name) {
  if (!topicWordsStale_ && CountTopicWords(name, -1)) RecheckSoon();
}

void Speller::RecheckSoon() {
  // A list refilled row by row says so once per row: the editors check again once, after it.
  if (recheckPending_) return;
  recheckPending_ = true;
  QTimer::singleShot(0, this, [this] {
    recheckPending_ = false;
    emit changed();
  });
}

bool Speller::CountTopicWords(const QString& name, int delta) {
  bool changed = false;
  // A user topic's name may be several words; each word that would be checked is a name.
  auto state = MarkupState::Text;
  for (const WordRange& word : CheckableWords(name, state)) {
    const QString text = name.mid(word.start, word.length);
    auto it = topicWords_.find(text);
    if (it == topicWords_.end()) {
      if (delta <= 0) continue;
      topicWords_.insert(text, delta);
      changed = true;
      continue;
    }
    *it += delta;
    if (*it <= 0) {
      topicWords_.erase(it);
      changed = true;
    }
  }
  return changed;
}

void Speller::RefreshTopicWords() {
  if (!topicWordsStale_) return;
  topicWordsStale_ = false;
  topicWords_.clear();
  if (!topicNames_) return;
  for (const QString& name : topicNames_()) CountTopicWords(name, 1);
}

bool Speller::IsMisspelt(const QString& word) {
  if (!EnsureLoaded()) return false;
  RefreshTopicWords();
  if (topicWords_.contains(word) || ContainsWord(projectWords_, word) ||
      ContainsWord(ignored_, word)) {
    return false;
  }
  return !dictionary_->IsCorrect(word);
}

QList<WordRange> Speller::MisspeltWords(QStringView text, MarkupState& state) {
  QList<WordRange> words = CheckableWords(text, state);
  if (words.isEmpty() || !EnsureLoaded()) return {};
  words.removeIf([&](const WordRange& word) {
    return !IsMisspelt(text.sliced(word.start, word.length).toString());
  });
  return words;
}

QStringList Speller::Suggestions(const QString& word) {
  if (!EnsureLoaded()) return {};
  return dictionary_->Suggestions(word).mid(0, kMostSuggestions);
}

bool Speller::AddToDictionary(const QString& word) {
  if (wordListPath_.empty() || !config::AddToWordList(wordListPath_, word.toStdString())) {
    return false;
  }
  // Read back whole: another window may have added words to the same list.
  ReadProjectWords();
  projectWords_.insert(word);
  emit changed();
  return true;
}

void Speller::Ignore(const QString& word) {
  ignored_.insert(word);
  emit changed();
}

}  // namespace qs::spelling
