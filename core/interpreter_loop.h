// The interpreter's loop with its first line given. run_script starts it at
// line 1; starting later lets a test reach the line bound without running
// two hundred million lines first.
#pragma once

#include "interpreter.h"

namespace tlq {

RunEnd run_script_from_line(RunState& state, int32_t first_line, Text& message_title,
                            ScriptHost& host);

}  // namespace tlq
