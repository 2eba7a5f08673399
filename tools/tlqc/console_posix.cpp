#include "console.h"

#include <stdio.h>

namespace tlq::tlqc {

void print_line(const std::string& native_text) {
    fwrite(native_text.data(), 1, native_text.size(), stdout);
    fputc('\n', stdout);
}

void print_error(const std::string& native_text) {
    fflush(stdout);  // keep the order of the two streams on a shared terminal
    fputs("tlqc: ", stderr);
    fwrite(native_text.data(), 1, native_text.size(), stderr);
    fputc('\n', stderr);
}

}  // namespace tlq::tlqc
