#include <io.h>

#include "platform/atomicfile.h"

namespace qs::platform {

bool FlushToDisk(std::FILE* file) {
  return ::_commit(::_fileno(file)) == 0;
}

}  // namespace qs::platform
