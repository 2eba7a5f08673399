// The code-file name that Compile writes into this program's image.
#pragma once

#include "byte_string.h"

namespace tlq::launcher {

constexpr size_t kNameFieldSize = 32;

// The name field without its trailing padding: half-width spaces and, when
// full_width is true, GBK ideographic spaces (A1 A1) at the end. Walks by
// GBK characters so a trail byte 0x20 or A1 never counts as padding.
Text without_padding(const Text& name_field, bool full_width);

// "\" + the name field of this program's image without its padding +
// ".tlqcode", read from the image as Compile left it.
Text code_file_name(bool full_width);

}  // namespace tlq::launcher
