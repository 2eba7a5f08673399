#include "name_field.h"

namespace tlq::launcher {

namespace {

// Compile finds the 32 placeholder bytes by a plain byte search and writes
// the program name over them; volatile keeps them as stored data that is
// read at run time instead of folded into code.
volatile const char kCodeFileLiteral[] = "\\你好世界你好世界你好世界你好世界.tlqcode";

constexpr size_t kFieldStart = 1;  // after the leading "\"

Text literal_from_image() {
    Text literal;
    literal.reserve(sizeof(kCodeFileLiteral) - 1);
    for (size_t i = 0; i + 1 < sizeof(kCodeFileLiteral); ++i) {
        literal.push_back(kCodeFileLiteral[i]);
    }
    return literal;
}

}  // namespace

Text without_padding(const Text& name_field, bool full_width) {
    size_t kept = 0;  // end of the last character that is not padding
    size_t i = 0;
    while (i < name_field.size()) {
        const unsigned char lead = name_field[i];
        const size_t width = (lead >= 0x80 && i + 1 < name_field.size()) ? 2 : 1;
        const bool half_space = lead == 0x20;
        const bool full_space =
            full_width && width == 2 && lead == 0xA1 && name_field[i + 1] == 0xA1;
        i += width;
        if (!half_space && !full_space) kept = i;
    }
    return name_field.substr(0, kept);
}

Text code_file_name(bool full_width) {
    const Text literal = literal_from_image();
    const Text field = literal.substr(kFieldStart, kNameFieldSize);
    const Text extension = literal.substr(kFieldStart + kNameFieldSize, literal.size());
    return literal.substr(0, kFieldStart) + without_padding(field, full_width) + extension;
}

}  // namespace tlq::launcher
