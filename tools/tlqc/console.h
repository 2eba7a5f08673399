// Lines for the user: results to standard output, messages to standard
// error. Texts are in the system's encoding (native_text.h).
#pragma once

#include <string>

namespace tlq::tlqc {

void print_line(const std::string& native_text);
void print_error(const std::string& native_text);  // "tlqc: " + text

}  // namespace tlq::tlqc
