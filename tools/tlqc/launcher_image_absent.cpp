#include "launcher_image.h"

namespace tlq::tlqc {

// Built without a launcher image: compile writes the code file only.
Bytes project_launcher_image() { return Bytes(); }

}  // namespace tlq::tlqc
