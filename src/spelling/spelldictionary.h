#pragma once

// One Hunspell dictionary: a pair of files NAME.aff and NAME.dic. Its words are stored in the
// dictionary's own encoding (the "SET" line of the .aff: UTF-8, ISO8859-1, KOI8-R, ...), while
// the editors hold Unicode, so every word crosses that boundary here. Answers are kept per
// word, as a description repeats its words and every keystroke checks the line again.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class Hunspell;

namespace qs::spelling {

struct DictionaryFiles {
  QString name;  // "en_US"
  QString affPath;
  QString dicPath;

  friend bool operator==(const DictionaryFiles&, const DictionaryFiles&) = default;
};

// Where dictionaries are looked for, first found first: the folders of $DICPATH, the
// "hunspell" and "myspell" data folders of the user and the system, and "dictionaries" beside
// the program (the place for them on systems that have no shared ones).
QStringList DictionaryFolders();

// The dictionaries of those folders, by name; a name found twice is taken from the first
// folder. Sorted by name.
QList<DictionaryFiles> FindDictionaries(const QStringList& folders);

class SpellDictionary {
 public:
  // Nothing when the files cannot be read or their encoding is unknown to this system.
  static std::unique_ptr<SpellDictionary> Open(const DictionaryFiles& files);
  ~SpellDictionary();
  SpellDictionary(const SpellDictionary&) = delete;
  SpellDictionary& operator=(const SpellDictionary&) = delete;

  const QString& name() const { return name_; }
  // The encoding named in the .aff, as Hunspell reports it.
  const QString& encoding() const { return encoding_; }

  // A word the dictionary's encoding cannot hold is not one of its words.
  bool IsCorrect(const QString& word);
  QStringList Suggestions(const QString& word);

 private:
  SpellDictionary() = default;
  // The word in the dictionary's encoding; nothing when that encoding lacks a character.
  std::optional<std::string> Encode(const QString& word);

  QString name_;
  QString encoding_;
  std::unique_ptr<Hunspell> hunspell_;
  QStringEncoder encoder_;
  QStringDecoder decoder_;
  QHash<QString, bool> answers_;
};

}  // namespace qs::spelling
