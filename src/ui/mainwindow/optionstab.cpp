#include "ui/mainwindow/optionstab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/mainwindow/mainwindow.h"
#include "ui/widgets/controls.h"

namespace qs::ui {

using namespace controls;

void BuildOptionsTab(MainWindow& window, QWidget* page) {
  window.compileCheckBox = new QCheckBox("&Compile Help folder to CHM (needs CHM Compiler)");
  window.compileCheckBox->setObjectName("CompileCheckBox");
  window.compileCheckBox->setToolTip("Compiles help folder to CMH after HTML files creation");
  window.compilerPathField =
      Field("CompilerPathField", "Path to CHM compiler (like HHC.exe or HTM2CHM.exe)", true);
  window.browseCompilerButton =
      Button("BrowseCompilerButton", "...", "Browse files", kGrey212, false);
  GiveKey(window.browseCompilerButton, Qt::ALT | Qt::Key_B);
  window.keepDataCheckBox =
      new QCheckBox("When extracting library information, do not overwrite existing &data");
  window.keepDataCheckBox->setObjectName("KeepDataCheckBox");
  window.keepDataCheckBox->setToolTip(
      "Existing project data is not overwritten when extracting library information");
  window.keepDataCheckBox->setChecked(true);
  window.eraseHtmlCheckBox = new QCheckBox("&Erase HTML files after CHM creation");
  window.eraseHtmlCheckBox->setObjectName("EraseHtmlCheckBox");
  window.eraseHtmlCheckBox->setToolTip(
      "The HTML, HHC and HHP files are erased after CHM file creation");
  window.keywordIndexCheckBox = new QCheckBox("&Keyword index (Index tab)");
  window.keywordIndexCheckBox->setObjectName("KeywordIndexCheckBox");
  window.keywordIndexCheckBox->setToolTip(
      "The compiled help's Index tab lists every page by its name");

  window.localisationFrame = Group("LocalisationFrame", "Localisation", true);
  auto* captions = new QGridLayout(window.localisationFrame);
  const std::array<const char*, 6> names = {"O&verview", "Co&mmand Index", "&Syntax",
                                            "E&xample",  "Descr&iption",   "&Functions"};
  const std::array<const char*, 6> defaults = {"Overview", "Command Index", "Syntax",
                                               "Example",  "Description",   "Functions"};
  for (std::size_t i = 0; i < window.headingFields.size(); ++i) {
    QLineEdit* field = Field("HeadingField", "", false);
    field->setText(defaults[i]);
    window.headingFields[i] = field;
    const int row = static_cast<int>(i);
    captions->addWidget(Caption(names[i], field), row, 0);
    captions->addWidget(field, row, 1, 1, 2);
  }
  window.languageList = DropDown("LanguageList");
  captions->addWidget(Caption("&Language", window.languageList), 6, 0);
  captions->addWidget(window.languageList, 6, 1);
  window.dictionaryList = DropDown("DictionaryList");
  captions->addWidget(Caption("Dic&tionary", window.dictionaryList), 7, 0);
  captions->addWidget(window.dictionaryList, 7, 1);
  captions->setColumnStretch(2, 1);

  window.aboutFrame = Group("AboutFrame", "About", true);
  window.aboutText = new QLabel(MainWindow::AboutText());
  window.aboutText->setObjectName("AboutText");
  window.aboutText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  window.aboutText->setWordWrap(true);
  window.aboutText->installEventFilter(&window);
  Framed(window.aboutFrame, window.aboutText);

  window.uniqueHtmlButton = Button(
      "UniqueHtmlButton", "Create &unique HTML help file now !",
      "Create a unique HTML help file with all functions (usefull for web site)", kGrey212, true);
  window.associationFrame = Group("AssociationFrame", "QuillSmith project files association", true);
  window.associateButton = Button("AssociateButton", "&Associate .qsp files to QuillSmith",
                                  "Register project files", kGrey212, true);
  window.removeAssociationButton = Button("RemoveAssociationButton", "&Remove Association",
                                          "Unregister project files", kGrey212, true);
  auto* association = new QHBoxLayout(window.associationFrame);
  association->addWidget(window.associateButton);
  association->addWidget(window.removeAssociationButton);

  auto* compilerRow = new QHBoxLayout;
  compilerRow->addWidget(window.compileCheckBox);
  compilerRow->addWidget(window.compilerPathField, 1);
  compilerRow->addWidget(window.browseCompilerButton);
  // The about group sits in the lower left corner, the file buttons in the lower right one.
  auto* rightCorner = new QVBoxLayout;
  rightCorner->addStretch(1);
  rightCorner->addWidget(window.uniqueHtmlButton);
  rightCorner->addWidget(window.associationFrame);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(window.aboutFrame, 1, Qt::AlignLeft | Qt::AlignBottom);
  bottom->addLayout(rightCorner);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addLayout(compilerRow);
  layout->addWidget(window.keepDataCheckBox);
  layout->addWidget(window.eraseHtmlCheckBox);
  layout->addWidget(window.keywordIndexCheckBox);
  layout->addWidget(window.localisationFrame);
  layout->addStretch(1);
  layout->addLayout(bottom);
}

}  // namespace qs::ui
