#pragma once

#include <string>

#include "output/buildrecord.h"

namespace qs::output {

// The end of a preview: when `folder` names a real folder (not a link), the files of the
// record that lie inside it are deleted, then the sub-folders the build made for them when
// they are empty, then the folder itself when it is empty. A record of a build elsewhere (a
// help folder the user keeps) is left alone. Nothing happens for an empty text or a path that
// is not a folder; failures are silent.
void EndPreview(const std::string& folder, const BuildRecord& record);

}  // namespace qs::output
