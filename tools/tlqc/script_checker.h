// The checker behind `tlqc check`: reads a script text the way the programs
// read it and says, line by line, what would make it run other than its
// author meant. Scripts fail silently by design; this says why.
// Portable: no platform calls.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "byte_string.h"

namespace tlq::tlqc {

enum class Severity { warning, error };

struct Finding {
    int32_t line = 0;  // 1-based line of the script text; 0: the text as a whole
    Severity severity = Severity::warning;
    std::string message;  // GBK text (it may quote the script)
};

// Errors: nothing would run, or compile would refuse the program name.
// Warnings: it runs, but not all of it as written. Ordered by line.
std::vector<Finding> check_script(const Bytes& text);

}  // namespace tlq::tlqc
