#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/standardstreams.h"

namespace qs::platform {

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace qs::platform
