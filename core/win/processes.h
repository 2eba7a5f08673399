// Starting and ending processes.
#pragma once

#include "../byte_string.h"

namespace tlq {

// show_mode 1 hidden .. 6 minimized; clamped into 1..6.
bool launch_command(const Text& command_line, bool wait, int show_mode = 2);
// Ends at most one process: a top-level window titled name, else the first
// process whose file name matches, ignoring ASCII case.
bool kill_process_by_name(const Text& name);

}  // namespace tlq
