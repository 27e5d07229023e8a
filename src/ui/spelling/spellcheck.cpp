#include "ui/spelling/spellcheck.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "config/wordlist.h"
#include "ui/spelling/spellhighlighter.h"
#include "ui/spelling/spellunderlay.h"
#include "ui/widgets/formeditor.h"

namespace qs::ui {

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

// The misspelt word a context menu is about.
struct SpellCheck::Target {
  bool found = false;
  QString word;
  qsizetype start = 0;  // in the editor's whole text
  bool readOnly = false;
};

SpellCheck::SpellCheck(const QStringList& folders, QObject* parent)
    : QObject(parent), folders_(folders), installed_(FindDictionaries(folders)) {
  Resolve();
}

SpellCheck::~SpellCheck() = default;

void SpellCheck::SetDictionaryFolders(const QStringList& folders) {
  folders_ = folders;
  Rescan();
}

void SpellCheck::Rescan() {
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

QString SpellCheck::DefaultDictionary(const QStringList& installed, const QString& localeName) {
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

void SpellCheck::SetDictionary(const QString& choice) {
  choice_ = choice;
  Resolve();
}

void SpellCheck::Resolve(bool reload) {
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

QString SpellCheck::activeDictionary() const {
  return loadFailed_ ? QString() : active_;
}

bool SpellCheck::EnsureLoaded() {
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

void SpellCheck::SetProjectWordListPath(const std::string& path) {
  if (path == wordListPath_) return;
  wordListPath_ = path;
  ReadProjectWords();
  emit changed();
}

void SpellCheck::ReadProjectWords() {
  projectWords_.clear();
  if (wordListPath_.empty()) return;
  for (const std::string& word : config::ReadWordList(wordListPath_).words) {
    projectWords_.insert(QString::fromStdString(word));
  }
}

void SpellCheck::SetTopicNameProvider(std::function<QStringList()> provider) {
  topicNames_ = std::move(provider);
  TopicNamesChanged();
}

void SpellCheck::TopicNamesChanged() {
  topicWordsStale_ = true;
  RecheckSoon();
}

void SpellCheck::TopicNameAdded(const QString& name) {
  // Stale words are counted afresh from the provider, which has the name already.
  if (!topicWordsStale_ && CountTopicWords(name, 1)) RecheckSoon();
}

void SpellCheck::TopicNameRemoved(const QString& name) {
  if (!topicWordsStale_ && CountTopicWords(name, -1)) RecheckSoon();
}

void SpellCheck::RecheckSoon() {
  // A list refilled row by row says so once per row: the editors check again once, after it.
  if (recheckPending_) return;
  recheckPending_ = true;
  QTimer::singleShot(0, this, [this] {
    recheckPending_ = false;
    emit changed();
  });
}

bool SpellCheck::CountTopicWords(const QString& name, int delta) {
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

void SpellCheck::RefreshTopicWords() {
  if (!topicWordsStale_) return;
  topicWordsStale_ = false;
  topicWords_.clear();
  if (!topicNames_) return;
  for (const QString& name : topicNames_()) CountTopicWords(name, 1);
}

bool SpellCheck::IsMisspelt(const QString& word) {
  if (!EnsureLoaded()) return false;
  RefreshTopicWords();
  if (topicWords_.contains(word) || ContainsWord(projectWords_, word) ||
      ContainsWord(ignored_, word)) {
    return false;
  }
  return !dictionary_->IsCorrect(word);
}

QList<WordRange> SpellCheck::MisspeltWords(QStringView text, MarkupState& state) {
  QList<WordRange> words = CheckableWords(text, state);
  if (words.isEmpty() || !EnsureLoaded()) return {};
  words.removeIf([&](const WordRange& word) {
    return !IsMisspelt(text.sliced(word.start, word.length).toString());
  });
  return words;
}

QStringList SpellCheck::Suggestions(const QString& word) {
  if (!EnsureLoaded()) return {};
  return dictionary_->Suggestions(word).mid(0, kMostSuggestions);
}

bool SpellCheck::AddToDictionary(const QString& word) {
  if (wordListPath_.empty() || !config::AddToWordList(wordListPath_, word.toStdString())) {
    return false;
  }
  // Read back whole: another window may have added words to the same list.
  ReadProjectWords();
  projectWords_.insert(word);
  emit changed();
  return true;
}

void SpellCheck::Ignore(const QString& word) {
  ignored_.insert(word);
  emit changed();
}

void SpellCheck::Attach(QPlainTextEdit* editor) {
  auto* highlighter = new SpellHighlighter(editor->document(), *this);
  // Owned by the editor, so that it can leave the document while the editor is read-only.
  highlighter->setParent(editor);
  if (editor->isReadOnly()) highlighter->setDocument(nullptr);
  editors_.append(editor);
  editor->installEventFilter(this);
  editor->viewport()->installEventFilter(this);
}

void SpellCheck::Attach(QLineEdit* field) {
  new SpellUnderlay(field, *this);
  fields_.append(field);
  field->installEventFilter(this);
}

SpellCheck::Target SpellCheck::Locate(QWidget* editor, QPoint pos, bool atCaret) const {
  auto* self = const_cast<SpellCheck*>(this);
  Target target;
  QString text;
  qsizetype offset = 0;
  qsizetype at = 0;
  auto state = MarkupState::Text;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
    const QTextCursor caret = atCaret ? plain->textCursor() : plain->cursorForPosition(pos);
    const QTextBlock block = caret.block();
    const int previous = block.previous().isValid() ? block.previous().userState() : -1;
    if (previous == static_cast<int>(MarkupState::Tag)) state = MarkupState::Tag;
    if (previous == static_cast<int>(MarkupState::Comment)) state = MarkupState::Comment;
    text = block.text();
    offset = block.position();
    at = caret.positionInBlock();
    target.readOnly = plain->isReadOnly();
  } else if (auto* field = qobject_cast<QLineEdit*>(editor)) {
    text = field->text();
    at = atCaret ? field->cursorPosition() : field->cursorPositionAt(pos);
    target.readOnly = field->isReadOnly();
  } else {
    return target;
  }
  for (const WordRange& word : self->MisspeltWords(text, state)) {
    if (word.start <= at && at <= word.end()) {
      target.found = true;
      target.word = text.mid(word.start, word.length);
      target.start = offset + word.start;
      break;
    }
  }
  return target;
}

std::unique_ptr<QMenu> SpellCheck::CreateContextMenu(QWidget* editor, QPoint pos, bool atCaret) {
  auto* plain = qobject_cast<QPlainTextEdit*>(editor);
  auto* field = qobject_cast<QLineEdit*>(editor);
  std::unique_ptr<QMenu> menu;
  if (plain != nullptr) menu.reset(plain->createStandardContextMenu());
  if (field != nullptr) menu.reset(field->createStandardContextMenu());
  if (!menu) return menu;
  const Target target = Locate(editor, pos, atCaret);
  if (!target.found) return menu;

  QAction* first = menu->actions().value(0);
  auto insert = [&](QAction* action) { menu->insertAction(first, action); };
  const QString word = target.word;
  const qsizetype start = target.start;
  const QStringList suggestions = Suggestions(word);
  for (const QString& suggestion : suggestions) {
    auto* action = new QAction(suggestion, menu.get());
    QFont bold = action->font();
    bold.setBold(true);
    action->setFont(bold);
    action->setEnabled(!target.readOnly);
    connect(action, &QAction::triggered, editor, [=] {
      // The replacement is one step of the editor's undo.
      if (plain != nullptr) {
        QTextCursor cursor(plain->document());
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(start + word.size()), QTextCursor::KeepAnchor);
        if (cursor.selectedText() == word) {
          cursor.insertText(suggestion);
          plain->setTextCursor(cursor);
        }
      } else if (field->text().mid(start, word.size()) == word) {
        field->setSelection(static_cast<int>(start), static_cast<int>(word.size()));
        field->insert(suggestion);
      }
    });
    insert(action);
  }
  if (suggestions.isEmpty()) {
    auto* none = new QAction(tr("(no suggestions)"), menu.get());
    none->setEnabled(false);
    insert(none);
  }
  menu->insertSeparator(first);

  auto* add = new QAction(tr("&Add to dictionary"), menu.get());
  add->setObjectName("AddToDictionary");
  add->setEnabled(!wordListPath_.empty());
  menu->setToolTipsVisible(true);
  add->setToolTip(wordListPath_.empty()
                      ? tr("Added words are kept per project file: there is none yet")
                      : tr("Adds the word to this project's word list"));
  connect(add, &QAction::triggered, editor, [this, editor, word] {
    if (AddToDictionary(word)) return;
    Ignore(word);
    QMessageBox::critical(editor, tr("Error"),
                          tr("Could not add '%1' to the word list '%2'!")
                              .arg(word, QString::fromStdString(wordListPath_)));
  });
  insert(add);
  auto* ignore = new QAction(tr("&Ignore"), menu.get());
  ignore->setObjectName("IgnoreWord");
  connect(ignore, &QAction::triggered, this, [this, word] { Ignore(word); });
  insert(ignore);
  menu->insertSeparator(first);
  return menu;
}

bool SpellCheck::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ReadOnlyChange) {
    // A read-only editor shows the program's text (a functions list of perhaps thousands of
    // names): nobody can correct it, so it is not checked, and showing it costs no checking.
    if (auto* plain = qobject_cast<QPlainTextEdit*>(watched); plain && editors_.contains(plain)) {
      if (auto* highlighter = plain->findChild<SpellHighlighter*>()) {
        // Always the editor's own document: a program text may be shown in another one.
        QTextDocument* typed = plain->document();
        if (auto* form = qobject_cast<FormEditor*>(plain)) typed = form->editDocument();
        highlighter->setDocument(plain->isReadOnly() ? nullptr : typed);
      }
    }
  }
  if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
  QWidget* editor = nullptr;
  for (QPlainTextEdit* plain : editors_) {
    if (watched == plain || watched == plain->viewport()) editor = plain;
  }
  for (QLineEdit* field : fields_) {
    if (watched == field) editor = field;
  }
  if (editor == nullptr) return QObject::eventFilter(watched, event);

  const auto* request = static_cast<QContextMenuEvent*>(event);
  const bool atCaret = request->reason() != QContextMenuEvent::Mouse;
  QPoint pos = request->pos();
  QPoint global = request->globalPos();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
    // The position is the viewport's, also when the editor itself got the request.
    if (watched == plain) pos = plain->viewport()->mapFrom(plain, pos);
    if (atCaret) global = plain->viewport()->mapToGlobal(plain->cursorRect().bottomLeft());
  } else if (atCaret) {
    global =
        editor->mapToGlobal(editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft());
  }
  const std::unique_ptr<QMenu> menu = CreateContextMenu(editor, pos, atCaret);
  if (menu) menu->exec(global);
  return true;
}

}  // namespace qs::ui
