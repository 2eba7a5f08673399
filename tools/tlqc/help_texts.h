// The texts of `tlqc --help` and `tlqc COMMAND --help`.
#pragma once

#include "arguments.h"

namespace tlq::tlqc {

// Command::none: the overview.
const char* help_text(Command command);
const char* version_text();

}  // namespace tlq::tlqc
