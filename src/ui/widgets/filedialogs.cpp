#include "ui/widgets/filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

// "Label|*.ext|All files|*.*" as the dialog's name filters.
QStringList NameFilters(const std::string& pattern) {
  const QStringList parts = QString::fromStdString(pattern).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString globs = parts[i + 1];
    globs.replace(';', ' ');
    if (globs == "*.*") globs = "*";
    filters << QString("%1 (%2)").arg(parts[i], globs);
  }
  return filters;
}

}  // namespace

app::FileChoice RunFileDialog(QWidget* parent, bool save, const std::string& title,
                              const std::string& start, const std::string& pattern) {
  QFileDialog dialog(parent, FromBytes(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = NameFilters(pattern);
  dialog.setNameFilters(filters);
  QString startText = FromBytes(start);
  if (startText.endsWith('*')) startText.chop(1);
  const QFileInfo info(startText);
  if (startText.endsWith('/') || info.isDir()) {
    dialog.setDirectory(startText);
  } else if (!startText.isEmpty()) {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {ToBytes(dialog.selectedFiles().front()),
          static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::string RunFolderDialog(QWidget* parent, const std::string& title, const std::string& start) {
  const QString folder = QFileDialog::getExistingDirectory(
      parent, FromBytes(title), FromBytes(start), QFileDialog::DontUseNativeDialog);
  if (folder.isEmpty()) return {};
  return ToBytes(folder.endsWith('/') ? folder : folder + '/');
}

}  // namespace qs::ui
