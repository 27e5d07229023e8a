#pragma once

#include <QDialog>
#include <QStringList>

class QCompleter;
class QDialogButtonBox;
class QLineEdit;

namespace qs::ui {

// The "Insert link" dialog: one field for the page to link to, which offers the project's
// pages holding what was typed, in any letter case, as the author types. OK is enabled only
// while the field names a page: exactly, or, in other letter case, only one.
class LinkDialog : public QDialog {
  Q_OBJECT

 public:
  LinkDialog(QWidget* parent, const QStringList& pages);

  QLineEdit* field() const { return field_; }
  QCompleter* completer() const { return completer_; }
  QDialogButtonBox* buttons() const { return buttons_; }

  // The page the field names now; empty when it names none.
  QString chosenPage() const;

  // The chosen page, or an empty text when cancelled.
  static QString Ask(QWidget* parent, const QStringList& pages);

 private:
  QStringList pages_;
  QLineEdit* field_;
  QCompleter* completer_;
  QDialogButtonBox* buttons_;
};

}  // namespace qs::ui
