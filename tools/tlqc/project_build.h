// What Compile writes, composed in memory: the code file's bytes and the
// project launcher with the program name in its 32-byte name field.
// Portable: the same bytes on every system.
#pragma once

#include "byte_string.h"

namespace tlq::tlqc {

constexpr int32_t kNameFieldSize = 32;
// "你好世界" four times: the name field of the launcher as built.
extern const char kNamePlaceholder[];

enum class NameVerdict {
    fits,      // a file name of 1 to 32 bytes
    empty,     // no 程序名称: the files would be named ".tlqcode" and ".exe"
    too_long,  // a valid file name, but more than the name field holds
    invalid,   // not a valid file name on Windows
};

struct NameCheck {
    NameVerdict verdict = NameVerdict::fits;
    Text reason;  // for invalid: what is wrong, as a GBK text
};

NameCheck check_program_name(const Text& name);

// 程序名称 from section info, read as the editor reads it.
Text program_name_of(const Bytes& script);

// The script sealed with the code key.
Bytes code_file_content(const Bytes& script);

// The name padded with spaces to the field's 32 bytes. Only for names of at
// most 32 bytes.
Bytes name_field_for(const Text& name);

// How often the placeholder occurs in an image (1 in a sound image).
size_t placeholder_count(const Bytes& image);

// The image with its name field holding the name. Empty when the name does
// not fit or the image does not hold the placeholder exactly once.
Bytes launcher_for(const Bytes& image, const Text& name);

}  // namespace tlq::tlqc
