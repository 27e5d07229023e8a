#include "ui/mainwindow/optionstab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/helpcompilerlocator.h"
#include "ui/widgets/controls.h"
#include "version/version.h"

namespace qs::ui {

using namespace controls;

QString OptionsTab::AboutText() {
  const std::string_view needs = platform::NeededInPathNote();
  return QStringLiteral(
             "QuillSmith: the help of a PureBasic user library, made by its own author.\n") +
         QLatin1String(needs.data(), static_cast<qsizetype>(needs.size())) +
         QStringLiteral(
             "\n"
             "\nThanks to the PureBasic community for ideas and testing,"
             "\nand to everyone who sent a project file with a bug report."
             "\nVersion ") +
         QLatin1String(kDisplayVersion.data(), static_cast<qsizetype>(kDisplayVersion.size()));
}

OptionsTab::OptionsTab(QWidget* parent) : QWidget(parent) {
  compileCheckBox = new QCheckBox("&Compile Help folder to CHM (needs CHM Compiler)");
  compileCheckBox->setObjectName("CompileCheckBox");
  compileCheckBox->setToolTip("Compiles help folder to CMH after HTML files creation");
  compilerPathField =
      Field("CompilerPathField", "Path to CHM compiler (like HHC.exe or HTM2CHM.exe)", true);
  browseCompilerButton = Button("BrowseCompilerButton", "...", "Browse files", kGrey212, false);
  GiveKey(browseCompilerButton, Qt::ALT | Qt::Key_B);
  keepDataCheckBox =
      new QCheckBox("When extracting library information, do not overwrite existing &data");
  keepDataCheckBox->setObjectName("KeepDataCheckBox");
  keepDataCheckBox->setToolTip(
      "Existing project data is not overwritten when extracting library information");
  keepDataCheckBox->setChecked(true);
  eraseHtmlCheckBox = new QCheckBox("Erase H&TML files after CHM creation");
  eraseHtmlCheckBox->setObjectName("EraseHtmlCheckBox");
  eraseHtmlCheckBox->setToolTip("The HTML, HHC and HHP files are erased after CHM file creation");
  keywordIndexCheckBox = new QCheckBox("&Keyword index (Index tab)");
  keywordIndexCheckBox->setObjectName("KeywordIndexCheckBox");
  keywordIndexCheckBox->setToolTip("The compiled help's Index tab lists every page by its name");
  examplesAsCodeCheckBox = new QCheckBox("Examples are code");
  examplesAsCodeCheckBox->setObjectName("ExamplesAsCodeCheckBox");
  examplesAsCodeCheckBox->setToolTip(
      "Examples are PureBasic code: shown as typed (<, > and & included) and coloured, "
      "calls of the library's functions linked; the tag buttons leave them alone");
  // Every letter of its words is another control's key on this tab.
  GiveKey(examplesAsCodeCheckBox, Qt::ALT | Qt::SHIFT | Qt::Key_E);

  localisationFrame = Group("LocalisationFrame", "Localisation", true);
  auto* captions = new QGridLayout(localisationFrame);
  // Alt with F, E, G, V or H opens a menu of the menu bar: the captions underline other
  // letters, and none is left for "Functions", which Tab reaches after "Description".
  const std::array<const char*, 6> names = {"Overv&iew", "Co&mmand Index", "&Syntax",
                                            "E&xample",  "Descriptio&n",   "Functions"};
  const std::array<const char*, 6> defaults = {"Overview", "Command Index", "Syntax",
                                               "Example",  "Description",   "Functions"};
  for (std::size_t i = 0; i < headingFields.size(); ++i) {
    QLineEdit* field = Field("HeadingField", "", false);
    field->setText(defaults[i]);
    headingFields[i] = field;
    field->setAccessibleDescription("The heading the pages give this part in the current language");
    const int row = static_cast<int>(i);
    captions->addWidget(Caption(names[i], field), row, 0);
    captions->addWidget(field, row, 1, 1, 2);
  }
  languageList = DropDown("LanguageList");
  captions->addWidget(Caption("&Language", languageList), 6, 0);
  captions->addWidget(languageList, 6, 1);
  dictionaryList = DropDown("DictionaryList");
  captions->addWidget(Caption("Dictionar&y", dictionaryList), 7, 0);
  captions->addWidget(dictionaryList, 7, 1);
  captions->setColumnStretch(2, 1);

  aboutFrame = Group("AboutFrame", "About", true);
  aboutText = new QLabel(AboutText());
  aboutText->setObjectName("AboutText");
  aboutText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  aboutText->setWordWrap(true);
  aboutText->installEventFilter(this);
  Framed(aboutFrame, aboutText);

  uniqueHtmlButton = Button(
      "UniqueHtmlButton", "Create &unique HTML help file now !",
      "Create a unique HTML help file with all functions (usefull for web site)", kGrey212, true);
  websiteButton =
      Button("WebsiteButton", "Create &website...",
             "Write the help as a static website with contents and search", kGrey212, true);
  associationFrame = Group("AssociationFrame", "QuillSmith project files association", true);
  associateButton = Button("AssociateButton", "&Associate .qsp files to QuillSmith",
                           "Register project files", kGrey212, true);
  removeAssociationButton = Button("RemoveAssociationButton", "&Remove Association",
                                   "Unregister project files", kGrey212, true);
  auto* association = new QHBoxLayout(associationFrame);
  association->addWidget(associateButton);
  association->addWidget(removeAssociationButton);

  auto* compilerRow = new QHBoxLayout;
  compilerRow->addWidget(compileCheckBox);
  compilerRow->addWidget(compilerPathField, 1);
  compilerRow->addWidget(browseCompilerButton);
  // The about group sits in the lower left corner, the file buttons in the lower right one.
  auto* rightCorner = new QVBoxLayout;
  rightCorner->addStretch(1);
  rightCorner->addWidget(uniqueHtmlButton);
  rightCorner->addWidget(websiteButton);
  rightCorner->addWidget(associationFrame);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(aboutFrame, 1, Qt::AlignLeft | Qt::AlignBottom);
  bottom->addLayout(rightCorner);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addLayout(compilerRow);
  layout->addWidget(keepDataCheckBox);
  layout->addWidget(eraseHtmlCheckBox);
  layout->addWidget(keywordIndexCheckBox);
  layout->addWidget(examplesAsCodeCheckBox);
  layout->addWidget(localisationFrame);
  layout->addStretch(1);
  layout->addLayout(bottom);
}

void OptionsTab::FitAboutText() {
  // A wrapped text has no height of its own in a window's smallest size: give it the height it
  // needs at its narrowest, about forty characters of the current font.
  const int width = aboutText->fontMetrics().averageCharWidth() * 40;
  aboutText->setMinimumSize(width, aboutText->heightForWidth(width));
  // Where there is room, it stands unwrapped, and no wider.
  aboutText->setMaximumWidth(aboutText->fontMetrics().size(0, aboutText->text()).width() + 1);
}

bool OptionsTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == aboutText &&
      (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
    FitAboutText();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qs::ui
