#include "input_file.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

namespace tlq::tlqc {

InputFile read_input_file(const std::string& path) {
    InputFile input;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        const int error = errno;
        input.outcome = error == ENOENT ? ReadOutcome::missing : ReadOutcome::unreadable;
        input.reason = strerror(error);
        return input;
    }
    char buffer[65536];
    size_t got;
    bool out_of_memory = false;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (!input.content.append(buffer, got)) {
            out_of_memory = true;
            break;
        }
    }
    // A folder opens on some systems and then fails to read.
    const int error = ferror(file) ? errno : 0;
    fclose(file);
    if (out_of_memory || error != 0) {
        input.content.clear();
        input.outcome = ReadOutcome::unreadable;
        input.reason = out_of_memory ? "not enough memory" : strerror(error);
        return input;
    }
    input.outcome = ReadOutcome::read;
    return input;
}

}  // namespace tlq::tlqc
