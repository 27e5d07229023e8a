#pragma once

// Which words of the page form are misspelt: the dictionary chosen on the Options tab, the
// words the author added to the project's own list, the words ignored for this session, and
// the names of the project's topics, which are never misspelt. It needs no window: the
// editors' underlines and menus ask it (ui/spelling). Without a dictionary no word is
// misspelt.

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "spelling/spelldictionary.h"
#include "spelling/spellwords.h"

namespace qs::spelling {

class Speller : public QObject {
  Q_OBJECT

 public:
  // The choice that switches spell checking off.
  static inline const QString kOff = QStringLiteral("None");

  // Looks for the installed dictionaries in `folders` (DictionaryFolders() for the program).
  explicit Speller(const QStringList& folders, QObject* parent = nullptr);
  ~Speller() override;

  // ---- what the program sets ----

  // Looks for the installed dictionaries again, in the same folders as before: a dictionary
  // installed while the program runs becomes a choice.
  void Rescan();

  // The dictionary by its name ("en_US"), kOff, or empty text for the system language's
  // (else en_US). A name that is not installed is kept as the choice, so that it is saved
  // again, and the system language's dictionary is used meanwhile.
  void SetDictionary(const QString& choice);
  // The word list of the project shown (config::WordListPath), or empty text when there is no
  // project file: adding a word is then refused.
  void SetProjectWordListPath(const std::string& path);
  // Where the names of the project's topics come from; they are asked for again after
  // TopicNamesChanged() (all names replaced). One name added or removed is told with
  // TopicNameAdded / TopicNameRemoved, which cost no more in a project of 20,000 names.
  void SetTopicNameProvider(std::function<QStringList()> provider);
  void TopicNamesChanged();
  void TopicNameAdded(const QString& name);
  void TopicNameRemoved(const QString& name);

  // ---- what the program reads ----

  // The choice as set or picked, for the settings file.
  const QString& dictionaryChoice() const { return choice_; }
  // The dictionary in use; empty when spell checking is off.
  QString activeDictionary() const;
  // The dictionary that should be in use could not be read: spell checking is off.
  bool dictionaryUnreadable() const { return loadFailed_; }
  QList<DictionaryFiles> installedDictionaries() const { return installed_; }
  const std::string& projectWordListPath() const { return wordListPath_; }

  // ---- checking ----

  bool IsMisspelt(const QString& word);
  // The misspelt words of a line of text; see CheckableWords for `state`.
  QList<WordRange> MisspeltWords(QStringView text, MarkupState& state);
  QStringList Suggestions(const QString& word);
  // Adds the word to the project's list (and so for every later session) and checks again.
  // False when there is no list or it could not be written.
  bool AddToDictionary(const QString& word);
  // Takes the word as correct until the program ends.
  void Ignore(const QString& word);

  // The system language's dictionary among `installed`, else en_US, else none.
  static QString DefaultDictionary(const QStringList& installed, const QString& localeName);

 signals:
  // Which words are misspelt may have changed: attached editors check again.
  void changed();
  // The dictionary in use changed (empty: off).
  void dictionaryChanged(const QString& active);
  // The installed dictionaries were looked for again.
  void dictionariesFound();

 private:
  // Finds the dictionary to use; with `reload` it is read again even when it stays the same.
  void Resolve(bool reload = false);
  bool EnsureLoaded();
  void RefreshTopicWords();
  // Counts the words of a topic name in or out; true when a word became or stopped being a
  // name.
  bool CountTopicWords(const QString& name, int delta);
  void RecheckSoon();
  void ReadProjectWords();

  QStringList folders_;
  QList<DictionaryFiles> installed_;
  QString choice_;
  QString active_;
  std::unique_ptr<SpellDictionary> dictionary_;
  bool loadFailed_ = false;
  std::string wordListPath_;
  QSet<QString> projectWords_;
  QSet<QString> ignored_;
  std::function<QStringList()> topicNames_;
  // Each word of the topic names with the number of names holding it.
  QHash<QString, int> topicWords_;
  bool topicWordsStale_ = true;
  bool recheckPending_ = false;
};

}  // namespace qs::spelling
