#include "platform/processsetup.h"

namespace qs::platform {

void PrepareProcess() {
  // Windows has no file size signal: a write past a quota already fails as an ordinary write.
}

}  // namespace qs::platform
