// The project launcher's program image that `compile` writes named copies
// of, built into tlqc; empty when tlqc was built without it.
#pragma once

#include "byte_string.h"

namespace tlq::tlqc {

Bytes project_launcher_image();

}  // namespace tlq::tlqc
