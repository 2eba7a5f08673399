#include "command_line.h"

namespace tlq {

namespace {

constexpr unsigned char kQuote = '"';

bool is_separator(unsigned char b) { return b <= 0x20; }

// A byte of 0x80 or above carries the byte after it, so a trail byte never
// ends an argument.
size_t character_length(const unsigned char* p, size_t pos, size_t n) {
    return (p[pos] >= 0x80 && pos + 1 < n) ? 2 : 1;
}

// Position just past the program's own path at the start of the line.
size_t skip_program_path(const unsigned char* p, size_t n) {
    size_t pos = 0;
    if (n > 0 && p[0] == kQuote) {
        pos = 1;
        while (pos < n && p[pos] != kQuote) ++pos;
        if (pos < n) ++pos;  // the closing quote
        if (pos < n && p[pos] == ' ') ++pos;
        return pos;
    }
    while (pos < n && p[pos] != ' ') ++pos;
    return pos;
}

size_t take_quoted(const unsigned char* p, size_t pos, size_t n, Text& argument) {
    ++pos;  // the opening quote
    size_t start = pos;
    while (pos < n && p[pos] != kQuote) pos += character_length(p, pos, n);
    argument = Text(p + start, pos - start);
    return pos < n ? pos + 1 : n;
}

size_t take_plain(const unsigned char* p, size_t pos, size_t n, Text& argument) {
    size_t start = pos;
    while (pos < n && !is_separator(p[pos]) && p[pos] != kQuote) pos += character_length(p, pos, n);
    argument = Text(p + start, pos - start);
    return pos;
}

}  // namespace

TextList split_command_line(const Text& command_line) {
    const unsigned char* p = command_line.bytes();
    const size_t n = command_line.size();
    TextList arguments;
    size_t pos = skip_program_path(p, n);
    while (pos < n) {
        if (is_separator(p[pos])) {
            ++pos;
            continue;
        }
        Text argument;
        pos = p[pos] == kQuote ? take_quoted(p, pos, n, argument) : take_plain(p, pos, n, argument);
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace tlq
