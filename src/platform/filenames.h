#pragma once

// File names made from model texts. The model holds Windows-1252 bytes, while the system
// names its files in its own encoding: UTF-8 on Linux, the system's code page on Windows. A
// name that reaches the file system in the wrong encoding would be unreadable there (and
// rejected by a compiler or a reader that looks the file up by its name).

#include <string>
#include <string_view>

namespace qs::platform {

// The system's file name for a model text (a topic's name, a title). ASCII stays as it is.
std::string FileNameFromText(std::string_view text);

// The model text of a file name the system gives back: the exact inverse of
// FileNameFromText, and, for a name the program did not make, its closest model text.
std::string TextFromFileName(std::string_view fileName);

}  // namespace qs::platform
