// Reading an input file whole, with the reason when it cannot be read, so
// the user learns whether the file is missing or only unreadable.
#pragma once

#include <string>

#include "byte_string.h"

namespace tlq::tlqc {

enum class ReadOutcome { read, missing, unreadable };

struct InputFile {
    ReadOutcome outcome = ReadOutcome::missing;
    Bytes content;
    std::string reason;  // for missing and unreadable: the system's words
};

InputFile read_input_file(const std::string& path);

}  // namespace tlq::tlqc
