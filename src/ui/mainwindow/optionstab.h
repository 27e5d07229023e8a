#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qs::ui {

// The Options tab: the compiler, the two extraction and build options, the localisation of
// the pages, the about text and the buttons of the unique file, the website and the
// association. It makes
// its controls, lays them out and owns them; each control's object name is its role.
class OptionsTab : public QWidget {
  Q_OBJECT

 public:
  explicit OptionsTab(QWidget* parent = nullptr);

  // The about text, ending in the version line.
  static QString AboutText();
  // Gives the about text the height it needs at its narrowest; again on every change of its
  // font or style.
  void FitAboutText();

  // ---- the controls, by their roles ----
  QCheckBox* compileCheckBox = nullptr;
  QLineEdit* compilerPathField = nullptr;
  QPushButton* browseCompilerButton = nullptr;
  QCheckBox* keepDataCheckBox = nullptr;
  QCheckBox* eraseHtmlCheckBox = nullptr;
  QCheckBox* keywordIndexCheckBox = nullptr;
  QCheckBox* examplesAsCodeCheckBox = nullptr;
  QGroupBox* localisationFrame = nullptr;
  // Overview, Command Index, Syntax, Example, Description, Functions.
  std::array<QLineEdit*, 6> headingFields{};
  QComboBox* languageList = nullptr;
  QComboBox* dictionaryList = nullptr;
  QGroupBox* aboutFrame = nullptr;
  QLabel* aboutText = nullptr;
  QPushButton* uniqueHtmlButton = nullptr;
  QPushButton* websiteButton = nullptr;
  QGroupBox* associationFrame = nullptr;
  QPushButton* associateButton = nullptr;
  QPushButton* removeAssociationButton = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qs::ui
