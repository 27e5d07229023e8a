#pragma once

// A folder the program writes its output into: the help folder, the folder of the unique
// HTML file. Other users may be able to write there too, and may swap a file for a link or a
// sub-folder for a link to somewhere else while the program works.
// So the folder is opened once, and every file below it is reached from the open folder, one
// name at a time, without following a link; what was opened is checked on the open file
// itself and is never opened again by its path. Implemented once per system.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regularfile.h"

namespace qs::platform {

class OutputFolder {
 public:
  OutputFolder() = default;
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  // Opens `folder` (empty: the current folder), which must exist. Links on the way to it are
  // followed: the user chose that path. False when it is no folder or cannot be opened.
  bool Open(const std::string& folder);
  bool IsOpen() const { return handle_ != -1; }

  // Writes the file at `relative` below the folder: its parts are separated by "/" or "\";
  // empty and "." parts are passed over and a ".." part fails. Missing sub-folders are made;
  // a sub-folder that is a link, or is no folder, fails. The file ends up a regular file
  // holding exactly `bytes`:
  // - an existing regular file with no other name is overwritten where it is (the fastest
  //   way on every file system, and the file keeps its permissions);
  // - a link, or a file that also has other names (a hard link), is removed and a new file
  //   made in its place, so nothing is ever written through to another place;
  // - a pipe, a device, a socket or a folder fails and is left alone.
  // A file cut short by a write error (a full disk) is removed. False on any failure.
  bool Write(std::string_view relative, std::string_view bytes);

  // Reads the file at `relative` (reached as above, nothing made on the way) whole into
  // `bytes`, up to `limit` bytes. Only a regular file with no other name is read: a link, a
  // sub-folder that is a link, a hard link (it may be someone's file that the reader could not
  // open by its own name), a pipe or a device gives NotARegularFile, and nothing there is
  // followed. A missing file, or a folder, gives CannotOpen.
  ReadStatus Read(std::string_view relative, std::size_t limit, std::string& bytes);

  // Removes the regular file at `relative` (reached as above, nothing made on the way). A
  // link, a folder or anything else there stays. True when a file was removed.
  bool RemoveFile(std::string_view relative);

  // Removes the folder at `relative` when it is empty and not a link.
  bool RemoveEmptyFolder(std::string_view relative);

  // The parts of `relative` (see Write); false for a ".." part or no part at all.
  static bool SplitParts(std::string_view relative, std::vector<std::string_view>& parts);

 private:
  // The open folder's descriptor or handle; -1 when nothing is open.
  std::intptr_t handle_ = -1;
  // The folder's path with a trailing separator (empty: the current folder); the system
  // without folder-relative calls builds its paths from it.
  std::string path_;
  // Whether the last file written was there already: the files of one build are alike, all
  // new in a new folder, all there in a rebuild, so the next file is tried that way first.
  bool expectTaken_ = false;
};

}  // namespace qs::platform
