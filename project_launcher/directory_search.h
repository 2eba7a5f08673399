// The project launcher's existence test.
#pragma once

#include "byte_string.h"

namespace tlq::launcher {

// True when a directory search for the path finds an entry (a file or a
// folder; wildcards match as the platform expands them); false for "".
bool entry_found(const Text& path);

}  // namespace tlq::launcher
