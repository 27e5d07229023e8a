#include "platform/standardstreams.h"

namespace qs::platform {

// POSIX streams have no text mode: they carry bytes as they are.
void UseBinaryStandardStreams() {}

}  // namespace qs::platform
