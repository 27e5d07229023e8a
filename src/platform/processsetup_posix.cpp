#include <signal.h>

#include "platform/processsetup.h"

namespace qs::platform {

void PrepareProcess() {
  // Ignored, SIGXFSZ turns into EFBIG from the write that passes the limit.
  ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace qs::platform
