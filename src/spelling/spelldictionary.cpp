#include "spelling/spelldictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>
#include <hunspell.hxx>

namespace qs::spelling {

namespace {

// Hunspell's names of the encodings, as the converters of this system know them.
QByteArray ConverterName(const QString& hunspellName) {
  const QString name = hunspellName.trimmed();
  static const QRegularExpression iso(QStringLiteral("^ISO-?8859-(\\d+)$"),
                                      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = iso.match(name);
  if (match.hasMatch()) return "ISO-8859-" + match.captured(1).toLatin1();
  if (name.compare(QLatin1String("microsoft-cp1251"), Qt::CaseInsensitive) == 0) {
    return "windows-1251";
  }
  if (name.startsWith(QLatin1String("TIS620"), Qt::CaseInsensitive)) return "TIS-620";
  return name.toLatin1();
}

bool IsReadableFile(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.isReadable();
}

}  // namespace

QStringList DictionaryFolders() {
  QStringList folders;
  for (const QString& folder :
       qEnvironmentVariable("DICPATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
    folders.append(folder);
  }
  for (const QString& data :
       QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    for (const char* sub : {"hunspell", "myspell", "myspell/dicts"}) {
      folders.append(data + QLatin1Char('/') + QLatin1String(sub));
    }
  }
  folders.append(QCoreApplication::applicationDirPath() + QStringLiteral("/dictionaries"));
  folders.removeDuplicates();
  return folders;
}

QList<DictionaryFiles> FindDictionaries(const QStringList& folders) {
  QMap<QString, DictionaryFiles> found;
  for (const QString& folder : folders) {
    const QDir dir(folder);
    if (!dir.exists()) continue;
    for (const QFileInfo& dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files)) {
      const QString name = dic.completeBaseName();
      // Hyphenation patterns are .dic files too, without an .aff beside them.
      const QString aff = dir.filePath(name + QStringLiteral(".aff"));
      if (name.isEmpty() || found.contains(name) || !IsReadableFile(aff) ||
          !IsReadableFile(dic.filePath())) {
        continue;
      }
      found.insert(name, {name, aff, dic.filePath()});
    }
  }
  return found.values();
}

std::unique_ptr<SpellDictionary> SpellDictionary::Open(const DictionaryFiles& files) {
  if (!IsReadableFile(files.affPath) || !IsReadableFile(files.dicPath)) return nullptr;
  std::unique_ptr<SpellDictionary> dictionary(new SpellDictionary);
  dictionary->name_ = files.name;
  dictionary->hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(files.affPath).constData(),
                                                     QFile::encodeName(files.dicPath).constData());
  dictionary->encoding_ = QString::fromStdString(dictionary->hunspell_->get_dict_encoding());
  const QByteArray converter = ConverterName(dictionary->encoding_);
  dictionary->encoder_ = QStringEncoder(converter.constData(), QStringConverter::Flag::Stateless);
  dictionary->decoder_ = QStringDecoder(converter.constData(), QStringConverter::Flag::Stateless);
  if (!dictionary->encoder_.isValid() || !dictionary->decoder_.isValid()) return nullptr;
  return dictionary;
}

SpellDictionary::~SpellDictionary() = default;

std::optional<std::string> SpellDictionary::Encode(const QString& word) {
  encoder_.resetState();
  const QByteArray bytes = encoder_.encode(word);
  if (encoder_.hasError()) return std::nullopt;
  return bytes.toStdString();
}

bool SpellDictionary::IsCorrect(const QString& word) {
  const auto known = answers_.constFind(word);
  if (known != answers_.constEnd()) return *known;
  const auto bytes = Encode(word);
  const bool correct = bytes && hunspell_->spell(*bytes);
  answers_.insert(word, correct);
  return correct;
}

QStringList SpellDictionary::Suggestions(const QString& word) {
  QStringList suggestions;
  const auto bytes = Encode(word);
  if (!bytes) return suggestions;
  for (const std::string& suggestion : hunspell_->suggest(*bytes)) {
    decoder_.resetState();
    const QString decoded = decoder_.decode(QByteArrayView(suggestion.data(), suggestion.size()));
    if (!decoder_.hasError() && !decoded.isEmpty()) suggestions.append(decoded);
  }
  return suggestions;
}

}  // namespace qs::spelling
