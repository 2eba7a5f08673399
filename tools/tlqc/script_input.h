// The script a command works on: read from a path and recognised as plain
// text, script file or code file. Failures are told to the user here.
#pragma once

#include <string>

#include "script_recognition.h"

namespace tlq::tlqc {

// False after telling the user why; status then holds the exit status.
bool load_script(const std::string& path, RecognisedScript& script, int& status);

}  // namespace tlq::tlqc
