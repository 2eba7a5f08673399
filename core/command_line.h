// Splits a raw command line (bytes, as GetCommandLineA gives it) into the
// arguments after the program's own path.
#pragma once

#include "text_list.h"

namespace tlq {

TextList split_command_line(const Text& command_line);

}  // namespace tlq
