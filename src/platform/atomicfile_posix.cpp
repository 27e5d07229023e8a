#include <unistd.h>

#include "platform/atomicfile.h"

namespace qs::platform {

bool FlushToDisk(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

}  // namespace qs::platform
