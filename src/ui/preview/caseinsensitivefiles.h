#pragma once

#include <QString>

namespace qs::ui {

// The path of an existing file or folder whose name differs from `path` only in letter case,
// component by component; `path` itself when it exists or nothing matches. A compiled help
// file finds its pages that way, so the preview must too ("index.html" reaches "Index.html").
QString ResolvePathIgnoringCase(const QString& path);

}  // namespace qs::ui
