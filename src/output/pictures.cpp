#include "output/pictures.h"

#include <filesystem>
#include <system_error>

#include "output/compilercopy.h"
#include "output/outputfile.h"
#include "output/pagenames.h"
#include "platform/outputfolder.h"
#include "platform/regularfile.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {

namespace {

bool KeptInName(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.';
}

bool IsContinuationByte(unsigned char c) {
  return c >= 0x80 && c <= 0xBF;
}

}  // namespace

bool IsPictureFile(std::string_view path) {
  const std::string lower = text::AsciiLower(text::FileNamePart(path));
  for (const char* ending : {".png", ".jpg", ".jpeg", ".gif", ".bmp"}) {
    if (lower.size() > std::string_view(ending).size() && text::EndsWith(lower, ending)) {
      return true;
    }
  }
  return false;
}

std::string PictureFileName(std::string_view source) {
  const std::string name = text::FileNamePart(source);
  std::string kept;
  kept.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (KeptInName(c)) {
      kept.push_back(c);
      continue;
    }
    kept.push_back('_');
    // The rest of a UTF-8 character is part of the same "_".
    if (static_cast<unsigned char>(c) >= 0xC0) {
      while (i + 1 < name.size() && IsContinuationByte(static_cast<unsigned char>(name[i + 1]))) {
        ++i;
      }
    }
  }
  return kept;
}

std::string PictureAddress(std::string_view topicName, std::string_view fileName) {
  return WayToHelpFolder(topicName).append(kPicturesFolder).append("/").append(fileName);
}

std::string PictureTag(std::string_view topicName, std::string_view fileName) {
  return "<img src=\"" + PictureAddress(topicName, fileName) + "\">";
}

text::Report ReplacePictureQuestion(const std::string& fileName, const std::string& source) {
  return {"WARNING",
          "The help folder's pictures already hold a different file named '" + fileName +
              "'.\nReplace it with '" + source + "'?",
          text::ReportIcon::Exclamation};
}

PictureOutcome CopyPicture(const std::string& helpFolder, const std::string& source,
                           const std::function<bool(const text::Report&)>& replace) {
  PictureOutcome outcome;
  outcome.fileName = PictureFileName(source);
  if (!IsPictureFile(source)) {
    outcome.reports.push_back(text::ErrorReport(
        "'" + source +
        "' is no picture that help viewers show: pick a .png, .jpg, .gif or .bmp file."));
    return outcome;
  }
  std::string bytes;
  // A picture larger than the compiler takes would never reach the compiled help.
  if (platform::ReadRegularFile(source, kCompilerFileLimit, bytes) != platform::ReadStatus::Read) {
    outcome.reports.push_back(text::CouldNotReadFileReport(source));
    return outcome;
  }

  const std::string folder = text::WithTrailingSeparator(helpFolder);
  const std::string relative = std::string(kPicturesFolder) + "/" + outcome.fileName;
  const std::string path =
      folder + std::string(kPicturesFolder) + text::NativeSeparator() + outcome.fileName;
  std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be made
  if (!folder.empty()) std::filesystem::create_directories(std::filesystem::path(folder), ignored);
  platform::OutputFolder out;
  if (out.Open(folder)) {
    std::string there;
    const platform::ReadStatus status = out.Read(relative, kCompilerFileLimit, there);
    if (status == platform::ReadStatus::Read && there == bytes) {
      outcome.copy = PictureCopy::AlreadyThere;
      return outcome;
    }
    // Whatever else stands there (other bytes, a link, a file too large to compare) is the
    // author's: it goes only when they say so.
    if (status != platform::ReadStatus::CannotOpen &&
        !replace(ReplacePictureQuestion(outcome.fileName, source))) {
      outcome.copy = PictureCopy::Declined;
      return outcome;
    }
  }
  if (WriteOutputFile(out, relative, path, bytes, outcome.reports))
    outcome.copy = PictureCopy::Copied;
  return outcome;
}

}  // namespace qs::output
