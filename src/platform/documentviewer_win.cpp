#include "platform/documentviewer.h"

namespace qs::platform {

// Compiled help files open in the help viewer that every Windows installation carries.
bool HasDocumentViewer(const std::string& /*path*/) {
  return true;
}

}  // namespace qs::platform
