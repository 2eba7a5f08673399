// split_command_line on arbitrary bytes: arguments are made of the line's
// own bytes, no quote starts a character inside one, and a line without
// quotes splits exactly at its separators.
#include "command_line.h"
#include "fuzz_text.h"

namespace {

bool lead_byte(unsigned char b) { return b >= 0x80; }

bool quote_starts_a_character(const tlq::Text& s) {
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '"') return true;
        i += (lead_byte(s[i]) && i + 1 < s.size()) ? 2 : 1;
    }
    return false;
}

// Without quotes: everything after the first space, with every separator
// byte that is not the trail of a character removed.
std::string joined_without_separators(const std::string& line) {
    size_t start = line.find(' ');
    if (start == std::string::npos) return std::string();
    std::string out;
    for (size_t i = start; i < line.size();) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b <= 0x20) {
            ++i;
        } else if (lead_byte(b) && i + 1 < line.size()) {
            out.append(line, i, 2);
            i += 2;
        } else {
            out += line[i++];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tlq::Text line(data, size);
    tlq::TextList arguments = tlq::split_command_line(line);

    size_t total = 0;
    std::string joined;
    for (size_t i = 0; i < arguments.size(); ++i) {
        total += arguments[i].size();
        joined += fuzz::str(arguments[i]);
        fuzz::check(!quote_starts_a_character(arguments[i]), "argument holds a quote");
    }
    fuzz::check(total <= size, "arguments longer than the line");
    fuzz::check(arguments.size() <= size, "more arguments than bytes");

    const std::string raw = fuzz::str(line);
    if (raw.find('"') == std::string::npos) {
        fuzz::check(joined == joined_without_separators(raw), "unquoted line split differently");
        for (size_t i = 0; i < arguments.size(); ++i) fuzz::check(!arguments[i].empty(), "empty unquoted argument");
    }
    return 0;
}
