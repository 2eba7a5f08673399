// replace_all: stays within its bounds, agrees with a character-walking
// reference, and removing quotes leaves no quote that starts a character.
#include "fuzz_text.h"
#include "text_ops.h"

namespace {

bool lead_byte(unsigned char b) { return b >= 0x80; }

// The scan written out with standard strings.
std::string reference_replace(const std::string& text, const std::string& find, const std::string& with) {
    if (text.empty() || find.empty()) return text;
    std::string out;
    size_t p = 0;
    while (text.size() - p >= find.size()) {
        if (text.compare(p, find.size(), find) == 0) {
            out += with;
            p += find.size();
        } else if (lead_byte(static_cast<unsigned char>(text[p]))) {
            if (p + 1 == text.size()) return out;
            out.append(text, p, 2);
            p += 2;
        } else {
            out += text[p++];
        }
    }
    return out + text.substr(p);
}

bool ends_in_lone_lead_byte(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        if (lead_byte(static_cast<unsigned char>(s[i]))) {
            if (i + 1 == s.size()) return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

bool quote_starts_a_character(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '"') return true;
        i += lead_byte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // Two length bytes choose find and with; the rest is the text.
    size_t find_length = data[0] % 5;
    size_t with_length = data[1] % 5;
    data += 2;
    size -= 2;
    if (find_length + with_length > size) return 0;
    tlq::Text find = fuzz::text_without_zeros(data, find_length);
    tlq::Text with = fuzz::text_without_zeros(data + find_length, with_length);
    tlq::Text text = fuzz::text_without_zeros(data + find_length + with_length, size - find_length - with_length);
    const std::string t = fuzz::str(text);

    tlq::Text result = tlq::replace_all(text, find, with, true);
    fuzz::check(fuzz::str(result) == reference_replace(t, fuzz::str(find), fuzz::str(with)),
                "replace_all differs from reference");
    if (find.empty()) fuzz::check(result == text, "empty find changed the text");
    if (with.empty()) fuzz::check(result.size() <= text.size(), "result grew with an empty replacement");
    if (!find.empty()) {
        size_t most = text.size() + text.size() / find.size() * with.size();
        fuzz::check(result.size() <= most, "result longer than every match replaced");
    }

    // Without letters in find, letter case cannot matter.
    bool letters = false;
    for (size_t i = 0; i < find.size(); ++i) {
        unsigned char b = find[i];
        letters = letters || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    }
    if (!letters) fuzz::check(tlq::replace_all(text, find, with, false) == result, "case folding changed a letterless find");

    // What the interpreter does to every line.
    tlq::Text unquoted = tlq::replace_all(text, "\"", tlq::Text(), true);
    fuzz::check(unquoted.size() <= text.size(), "quote removal grew the text");
    fuzz::check(!quote_starts_a_character(fuzz::str(unquoted)), "a quote is left at a character start");
    if (!ends_in_lone_lead_byte(t)) {
        size_t quotes = 0;
        for (size_t i = 0; i < t.size();) {
            if (t[i] == '"') ++quotes;
            i += lead_byte(static_cast<unsigned char>(t[i])) ? 2 : 1;
        }
        fuzz::check(unquoted.size() == text.size() - quotes, "quote removal lost other bytes");
    }
    return 0;
}
