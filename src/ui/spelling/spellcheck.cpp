#include "ui/spelling/spellcheck.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "spelling/speller.h"
#include "ui/spelling/spellhighlighter.h"
#include "ui/spelling/spellunderlay.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/linehistory.h"

namespace qs::ui {

// The misspelt word a context menu is about.
struct SpellCheck::Target {
  bool found = false;
  QString word;
  qsizetype start = 0;  // in the editor's whole text
  bool readOnly = false;
};

SpellCheck::SpellCheck(spelling::Speller& speller, QObject* parent)
    : QObject(parent), speller_(speller) {}

SpellCheck::~SpellCheck() = default;

void SpellCheck::Attach(QPlainTextEdit* editor) {
  auto* highlighter = new SpellHighlighter(editor->document(), speller_);
  // Owned by the editor, so that it can leave the document while the editor is read-only.
  highlighter->setParent(editor);
  if (editor->isReadOnly()) highlighter->setDocument(nullptr);
  if (auto* form = qobject_cast<FormEditor*>(editor)) {
    // The underlines follow the typing into whichever page's document the editor shows.
    connect(form, &FormEditor::documentReplaced, highlighter,
            [form, highlighter](QTextDocument* shown) {
              MoveHighlighter(*highlighter, form->isReadOnly() ? nullptr : shown);
            });
  }
  editors_.append(editor);
  editor->installEventFilter(this);
  editor->viewport()->installEventFilter(this);
}

void SpellCheck::Attach(QLineEdit* field) {
  new SpellUnderlay(field, speller_);
  fields_.append(field);
  field->installEventFilter(this);
}

SpellCheck::Target SpellCheck::Locate(QWidget* editor, QPoint pos, bool atCaret) const {
  Target target;
  QString text;
  qsizetype offset = 0;
  qsizetype at = 0;
  auto state = spelling::MarkupState::Text;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
    const QTextCursor caret = atCaret ? plain->textCursor() : plain->cursorForPosition(pos);
    const QTextBlock block = caret.block();
    const int previous = block.previous().isValid() ? block.previous().userState() : -1;
    if (previous == static_cast<int>(spelling::MarkupState::Tag))
      state = spelling::MarkupState::Tag;
    if (previous == static_cast<int>(spelling::MarkupState::Comment))
      state = spelling::MarkupState::Comment;
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
  for (const spelling::WordRange& word : speller_.MisspeltWords(text, state)) {
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
  // A field whose undo is kept elsewhere offers that in its menu too.
  if (LineHistory* history = LineHistory::Of(field)) history->TakeOverMenu(*menu);
  const Target target = Locate(editor, pos, atCaret);
  if (!target.found) return menu;

  QAction* first = menu->actions().value(0);
  auto insert = [&](QAction* action) { menu->insertAction(first, action); };
  const QString word = target.word;
  const qsizetype start = target.start;
  const QStringList suggestions = speller_.Suggestions(word);
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
  const std::string& wordListPath = speller_.projectWordListPath();
  add->setEnabled(!wordListPath.empty());
  menu->setToolTipsVisible(true);
  add->setToolTip(wordListPath.empty()
                      ? tr("Added words are kept per project file: there is none yet")
                      : tr("Adds the word to this project's word list"));
  connect(add, &QAction::triggered, editor, [this, editor, word] {
    if (speller_.AddToDictionary(word)) return;
    speller_.Ignore(word);
    QMessageBox::critical(editor, tr("Error"),
                          tr("Could not add '%1' to the word list '%2'!")
                              .arg(word, QString::fromStdString(speller_.projectWordListPath())));
  });
  insert(add);
  auto* ignore = new QAction(tr("&Ignore"), menu.get());
  ignore->setObjectName("IgnoreWord");
  connect(ignore, &QAction::triggered, this, [this, word] { speller_.Ignore(word); });
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
