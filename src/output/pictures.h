#pragma once

// Pictures the author inserts into a page: copied into a folder of their own in the help
// folder, so that the pages, the previews and the compiled help all find them where the page
// says. The help compiler finds a picture through the page that shows it, as it finds every
// file a page refers to, so the help project file does not name them. A build erases only the
// files it wrote, never these.

#include <functional>
#include <string>
#include <string_view>

#include "text/report.h"

namespace qs::output {

// The folder below the help folder that inserted pictures are copied into.
inline constexpr std::string_view kPicturesFolder = "pictures";

// The requester's filter: the kinds of picture every help viewer shows.
inline constexpr std::string_view kPicturePattern =
    "Pictures (png, jpg, gif, bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|All files|*.*";

// Whether `path` names a kind of picture every help viewer shows, by its ending (in any
// letter case): .png, .jpg, .jpeg, .gif or .bmp.
bool IsPictureFile(std::string_view path);

// The name the picture at `source` gets in the pictures folder: the file-name part of the
// path, with every character other than an ASCII letter, a digit, "-", "_" and "." turned into
// one "_". The name then reads the same in the page, in the file system of every system, in
// the help project and in the compiled help, whatever the page's code page; and it can
// neither end the attribute that names it nor start a reference or an address.
std::string PictureFileName(std::string_view source);

// How the page of the topic `topicName` names the picture `fileName` of the pictures folder:
// "pictures/" + fileName, from as many folders up as the page lies below the help folder (a
// topic named "Notes/Deep" has its page in the folder Notes).
std::string PictureAddress(std::string_view topicName, std::string_view fileName);

// The markup that shows that picture on the page: <img src="ADDRESS">.
std::string PictureTag(std::string_view topicName, std::string_view fileName);

enum class PictureCopy {
  Copied,        // the pictures folder holds a copy of the source now
  AlreadyThere,  // it held the same bytes under that name already: nothing was written
  Declined,      // a different file of that name is there and was kept, as the author chose
  Failed,        // not a picture, unreadable, or not written: the reports say why
};

struct PictureOutcome {
  PictureCopy copy = PictureCopy::Failed;
  // The picture's name in the pictures folder.
  std::string fileName;
  text::Reports reports;

  // Whether the page may now show the picture.
  bool usable() const { return copy == PictureCopy::Copied || copy == PictureCopy::AlreadyThere; }
};

// The question asked before a different file of the same name is replaced.
text::Report ReplacePictureQuestion(const std::string& fileName, const std::string& source);

// Copies the picture at `source` into the pictures folder of `helpFolder` (both made when
// missing) under PictureFileName(source). When a file of that name is there with the very
// same bytes, nothing is written. When something else is there (other bytes, or a link, which
// is never read), `replace` is asked ReplacePictureQuestion and only Yes replaces it: the
// link itself, never what it points to. The copy is written like every file of the help
// folder (platform::OutputFolder): never through a link, nor into a pictures folder that is a
// link.
PictureOutcome CopyPicture(const std::string& helpFolder, const std::string& source,
                           const std::function<bool(const text::Report&)>& replace);

}  // namespace qs::output
