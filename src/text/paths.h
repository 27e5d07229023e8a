#pragma once

// Path texts as byte strings. Projects written on Windows keep backslashes in their paths, so
// both "/" and "\" count as separators wherever a path is taken apart.

#include <string>
#include <string_view>

namespace qs::text {

bool IsSeparator(char c);

// The text after the last "/" or "\" (all of it when there is none).
std::string FileNamePart(std::string_view path);

// The text up to and including the last "/" or "\" (empty when there is none).
std::string FolderPart(std::string_view path);

// The separator the running system uses for the folders it creates.
char NativeSeparator();

// Appends the native separator when the text ends in neither separator. An empty text stays
// empty.
std::string WithTrailingSeparator(std::string_view folder);

// Whether the path names its place without a folder to start from: it starts with a separator
// or a drive ("C:"). Judged by the text alone, so a project from another system reads alike.
bool IsAbsolutePath(std::string_view path);

// `path` taken from the folder `base` when it is relative; as it is otherwise, and when it or
// `base` is empty.
std::string ResolvedAgainst(std::string_view path, std::string_view base);

}  // namespace qs::text
