#include "text_ops.h"

#include <string.h>

namespace tlq {

namespace {

constexpr int32_t kMaxLength = 0x7FFFFFFF;

// Texts in this system may be treated as a run of characters where any
// byte of 0x80 or above begins a two-byte character.
bool starts_double_byte(unsigned char b) { return b >= 0x80; }

unsigned char fold_ascii(unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

bool bytes_match(const unsigned char* at, const Text& find, bool case_sensitive) {
    if (case_sensitive) return memcmp(at, find.bytes(), find.size()) == 0;
    for (size_t i = 0; i < find.size(); ++i) {
        if (fold_ascii(at[i]) != fold_ascii(find[i])) return false;
    }
    return true;
}

bool is_c_space(unsigned char b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r';
}

// The folding step of parse_int: full-width ASCII forms become ASCII bytes.
Text fold_full_width(const Text& text) {
    Text folded;
    const unsigned char* p = text.bytes();
    size_t n = text.size();
    folded.reserve(n);
    for (size_t i = 0; i < n;) {
        unsigned char lead = p[i];
        if (lead < 0x81 || lead > 0xFE) {
            folded.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        if (i + 1 >= n) break;  // a lead byte at the very end is dropped
        unsigned char trail = p[i + 1];
        i += 2;
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded.push_back(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded.push_back('*');
        } else {
            folded.push_back(static_cast<char>(lead));
            folded.push_back(static_cast<char>(trail));
        }
    }
    return folded;
}

}  // namespace

int32_t byte_length(const Text& text) {
    return text.size() > static_cast<size_t>(kMaxLength) ? kMaxLength
                                                         : static_cast<int32_t>(text.size());
}

Text left_bytes(const Text& text, int32_t n) {
    if (n <= 0) return Text();
    return text.substr(0, static_cast<size_t>(n));
}

Text mid_bytes(const Text& text, int32_t start, int32_t n) {
    if (start < 1 || n <= 0 || static_cast<size_t>(start) > text.size()) return Text();
    return text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n));
}

Text replace_all(const Text& text, const Text& find, const Text& with, bool case_sensitive) {
    if (text.empty() || find.empty()) return text;
    const unsigned char* p = text.bytes();
    const size_t n = text.size();
    Text result;
    result.reserve(n);
    size_t pos = 0;
    while (n - pos >= find.size()) {
        if (bytes_match(p + pos, find, case_sensitive)) {
            result.append(with);
            pos += find.size();
        } else if (starts_double_byte(p[pos])) {
            // A lone lead byte at the very end has no character to belong to.
            if (pos + 1 >= n) return result;
            result.append(p + pos, 2);
            pos += 2;
        } else {
            result.push_back(static_cast<char>(p[pos]));
            ++pos;
        }
    }
    result.append(p + pos, n - pos);
    return result;
}

Text spaces(int32_t n) {
    Text result;
    if (n < 1) return result;
    if (result.resize(static_cast<size_t>(n))) memset(result.data(), ' ', static_cast<size_t>(n));
    return result;
}

int32_t parse_int(const Text& text) {
    Text folded = fold_full_width(text);
    const unsigned char* p = folded.bytes();
    while (is_c_space(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Unsigned arithmetic gives the wrap-around modulo 2^32.
    uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

Text int_to_text(int32_t value) {
    char digits[12];
    size_t at = sizeof digits;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        digits[--at] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);
    if (value < 0) digits[--at] = '-';
    return Text(digits + at, sizeof digits - at);
}

Bytes text_to_bytes(const Text& text) { return Bytes(text.data(), strlen(text.c_str())); }

Text bytes_to_text(const Bytes& bytes) {
    const void* zero = memchr(bytes.data(), 0, bytes.size());
    size_t n = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes.data()) : bytes.size();
    return Text(bytes.data(), n);
}

Text remove_all_spaces(const Text& text) {
    const unsigned char* p = text.bytes();
    const size_t n = text.size();
    Text result;
    result.reserve(n);
    for (size_t i = 0; i < n;) {
        if (!starts_double_byte(p[i])) {
            if (p[i] != ' ') result.push_back(static_cast<char>(p[i]));
            ++i;
            continue;
        }
        if (i + 1 >= n) break;  // lead byte with nothing after it
        if (!(p[i] == 0xA1 && p[i + 1] == 0xA1)) result.append(p + i, 2);
        i += 2;
    }
    return result;
}

Bytes replace_bytes(const Bytes& input, const Bytes& pattern, const Bytes& replacement) {
    if (pattern.empty() || input.size() < pattern.size()) return input;
    const unsigned char* p = input.bytes();
    const size_t n = input.size();
    Bytes result;
    result.reserve(n);
    size_t pos = 0;
    size_t copied = 0;
    while (n - pos >= pattern.size()) {
        if (p[pos] == pattern[0] && memcmp(p + pos, pattern.bytes(), pattern.size()) == 0) {
            result.append(p + copied, pos - copied);
            result.append(replacement);
            pos += pattern.size();
            copied = pos;
        } else {
            ++pos;
        }
    }
    result.append(p + copied, n - copied);
    return result;
}

}  // namespace tlq
