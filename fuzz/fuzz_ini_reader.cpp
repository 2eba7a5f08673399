// IniDocument on arbitrary bytes in both modes. Names to look up come from
// the input itself (its header lines and keys) and from the script header.
#include "fuzz_text.h"
#include "ini_reader.h"
#include "text_ops.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

constexpr size_t kProfileLimit = 10239;
constexpr size_t kMostNames = 12;

// Crude guesses at the names in the input: "[x]" lines and "k=" prefixes.
void collect_names(const uint8_t* data, size_t size, std::vector<std::string>& sections,
                   std::vector<std::string>& keys) {
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i < size && data[i] != '\n' && data[i] != '\r') continue;
        std::string line(reinterpret_cast<const char*>(data) + start, i - start);
        start = i + 1;
        if (line.size() >= 2 && line[0] == '[') {
            size_t close = line.rfind(']');
            if (close != std::string::npos && sections.size() < kMostNames) sections.push_back(line.substr(1, close - 1));
        } else {
            size_t equals = line.find('=');
            if (equals != std::string::npos && keys.size() < kMostNames) keys.push_back(line.substr(0, equals));
        }
    }
}

bool starts_blank(const std::string& name) {
    return name.empty() || (static_cast<unsigned char>(name[0]) >= 0x01 && static_cast<unsigned char>(name[0]) <= 0x20);
}

void check_value(const tlq::Text& value) {
    fuzz::check(memchr(value.data(), 0, value.size()) == nullptr, "value holds a zero byte");
    fuzz::check(memchr(value.data(), '\n', value.size()) == nullptr, "value holds a line feed");
    fuzz::check(memchr(value.data(), '\r', value.size()) == nullptr, "value holds a carriage return");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tlq::Bytes content(data, size);
    tlq::IniDocument document(content);

    std::vector<std::string> sections = {"info", "main", ""};
    std::vector<std::string> keys = {"当前命令数量", "子程序的名字", "1", "2"};
    collect_names(data, size, sections, keys);

    for (const std::string& s : sections) {
        for (const std::string& k : keys) {
            tlq::Text section = fuzz::text_without_zeros(reinterpret_cast<const uint8_t*>(s.data()), s.size());
            tlq::Text key = fuzz::text_without_zeros(reinterpret_cast<const uint8_t*>(k.data()), k.size());
            tlq::Text cut;
            tlq::Text whole;
            bool found_cut = document.find(section, key, tlq::IniMode::profile, cut);
            bool found_whole = document.find(section, key, tlq::IniMode::whole_values, whole);
            fuzz::check(found_cut || cut.empty(), "value given for a missing key");
            fuzz::check(found_whole || whole.empty(), "value given for a missing key");
            fuzz::check(cut.size() <= kProfileLimit, "profile value longer than 10,239 bytes");
            fuzz::check(whole.size() <= size, "value longer than the document");
            check_value(cut);
            check_value(whole);
            // Names that start with a visible byte read the same in both modes.
            if (!starts_blank(fuzz::str(section)) && !starts_blank(fuzz::str(key))) {
                fuzz::check(found_cut == found_whole, "modes disagree on whether a key exists");
                fuzz::check(whole.starts_with(cut), "profile value is not the start of the whole value");
                if (whole.size() <= kProfileLimit) fuzz::check(cut == whole, "short value cut in profile mode");
            }
        }
    }
    return 0;
}
