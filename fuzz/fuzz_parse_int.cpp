// parse_int against a reference written out with standard strings, and
// int_to_text round trips.
#include "fuzz_text.h"
#include "text_ops.h"

#include <string.h>

namespace {

// Full-width forms folded, character by character, into a working copy.
std::string reference_fold(const std::string& in) {
    std::string out;
    for (size_t i = 0; i < in.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(in[i]);
        bool lead = b >= 0x81 && b <= 0xFE;
        if (!lead) {
            out += in[i];
            continue;
        }
        if (i + 1 == in.size()) break;
        unsigned char t = static_cast<unsigned char>(in[++i]);
        if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
            out += static_cast<char>(t - 0x80);
        } else if (b == 0xA1 && t == 0xA1) {
            out += ' ';
        } else if (b == 0xA1 && t == 0xAB) {
            out += '~';
        } else if (b == 0xA1 && (t == 0xEE || t == 0xEF)) {
            out += '*';
        } else {
            out += static_cast<char>(b);
            out += static_cast<char>(t);
        }
    }
    return out;
}

int32_t reference_parse(const std::string& raw) {
    std::string s = reference_fold(raw);
    size_t i = s.find_first_not_of(std::string(" \t\n\v\f\r"));
    if (i == std::string::npos) return 0;
    int64_t sign = 1;
    if (s[i] == '+' || s[i] == '-') sign = s[i++] == '-' ? -1 : 1;
    uint64_t value = 0;  // kept modulo 2^32 as it grows
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<uint64_t>(s[i] - '0')) & 0xFFFFFFFFu;
    }
    uint32_t folded = static_cast<uint32_t>(sign < 0 ? (0x100000000ULL - value) & 0xFFFFFFFFu : value);
    int32_t result;
    memcpy(&result, &folded, sizeof result);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tlq::Text input = fuzz::text_without_zeros(data, size);
    fuzz::check(tlq::parse_int(input) == reference_parse(fuzz::str(input)), "parse_int differs from reference");

    if (size >= 4) {
        int32_t value;
        memcpy(&value, data, sizeof value);
        tlq::Text written = tlq::int_to_text(value);
        fuzz::check(tlq::parse_int(written) == value, "int_to_text does not round trip");
        fuzz::check(fuzz::str(written) == std::to_string(value), "int_to_text differs from to_string");
    }
    return 0;
}
