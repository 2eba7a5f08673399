#include "project_build.h"

#include <string.h>

#include "ini_reader.h"
#include "key_texts.h"
#include "sealed_file.h"
#include "text_ops.h"

namespace tlq::tlqc {

const char kNamePlaceholder[] = "你好世界你好世界你好世界你好世界";

namespace {

bool is_lead_byte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Windows refuses these in file names; control bytes included.
bool is_forbidden_byte(unsigned char b) {
    return b < 0x20 || strchr("\\/:*?\"<>|", b) != nullptr;
}

Text quoted_byte(unsigned char b) {
    if (b < 0x20) return Text("a control character (byte ") + int_to_text(b) + Text(")");
    char text[] = {'\'', static_cast<char>(b), '\'', 0};
    return Text(text);
}

bool equals_ignoring_case(const Text& a, const char* b) {
    const size_t n = strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = a[i];
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
        if (x != static_cast<unsigned char>(b[i])) return false;
    }
    return true;
}

// CON, NUL, COM1 and the like name devices, with any extension.
bool is_device_name(const Text& name) {
    static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3",
                                           "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1",
                                           "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8",
                                           "LPT9"};
    size_t stem = 0;
    while (stem < name.size() && name[stem] != '.') ++stem;
    const Text base = name.substr(0, stem);
    for (const char* device : kDevices) {
        if (equals_ignoring_case(base, device)) return true;
    }
    return false;
}

NameCheck invalid(const Text& reason) {
    NameCheck check;
    check.verdict = NameVerdict::invalid;
    check.reason = reason;
    return check;
}

}  // namespace

NameCheck check_program_name(const Text& name) {
    if (name.empty()) return NameCheck{NameVerdict::empty, Text()};
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char b = name[i];
        if (is_lead_byte(b)) {
            if (i + 1 >= name.size()) return invalid("it ends in half of a double-byte character");
            ++i;  // a trail byte may be 0x5C or 0x7C without being \ or |
            continue;
        }
        if (is_forbidden_byte(b)) return invalid(Text("it contains ") + quoted_byte(b));
    }
    if (is_device_name(name)) return invalid("it names a Windows device");
    if (byte_length(name) > kNameFieldSize) return NameCheck{NameVerdict::too_long, Text()};
    return NameCheck{};
}

Text program_name_of(const Bytes& script) {
    IniDocument document(script);
    Text name;
    document.find("info", "程序名称", IniMode::profile, name);
    return name;
}

Bytes code_file_content(const Bytes& script) { return seal(script, kCodeKey); }

Bytes name_field_for(const Text& name) {
    return name + spaces(kNameFieldSize - byte_length(name));
}

size_t placeholder_count(const Bytes& image) {
    const size_t n = strlen(kNamePlaceholder);
    size_t count = 0;
    for (size_t pos = 0; pos + n <= image.size(); ++pos) {
        if (memcmp(image.bytes() + pos, kNamePlaceholder, n) == 0) {
            ++count;
            pos += n - 1;
        }
    }
    return count;
}

Bytes launcher_for(const Bytes& image, const Text& name) {
    if (byte_length(name) > kNameFieldSize || placeholder_count(image) != 1) return Bytes();
    return replace_bytes(image, Bytes(kNamePlaceholder), name_field_for(name));
}

}  // namespace tlq::tlqc
