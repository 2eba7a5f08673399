#include "script_checker.h"

#include <algorithm>
#include <map>
#include <string.h>

#include "ini_reader.h"
#include "interpreter.h"
#include "project_build.h"
#include "text_ops.h"

namespace tlq::tlqc {

namespace {

const char kInfo[] = "info";
const char kCountKey[] = "当前命令数量";
const char kSectionKey[] = "子程序的名字";
const char kNameKey[] = "程序名称";
const char kMessageWord[] = "信息框";
const char kTitleWord[] = "置信息框标题";
constexpr size_t kMessageWordSize = 6;
constexpr size_t kTitleWordSize = 12;
constexpr size_t kValueLimit = 10239;  // the profile reader's cut
constexpr size_t kMissingRangesShown = 8;

// The key words as a UTF-8 editor writes them: such a text is not GBK.
const char* const kUtf8Signs[] = {
    "\xE5\xBD\x93\xE5\x89\x8D\xE5\x91\xBD\xE4\xBB\xA4\xE6\x95\xB0\xE9\x87\x8F",  // 当前命令数量
    "\xE5\xAD\x90\xE7\xA8\x8B\xE5\xBA\x8F\xE7\x9A\x84\xE5\x90\x8D\xE5\xAD\x97",  // 子程序的名字
    "\xE4\xBF\xA1\xE6\x81\xAF\xE6\xA1\x86",                                      // 信息框
};

bool is_lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool is_trail(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

std::string from_text(const Text& text) { return std::string(text.data(), text.size()); }
Text to_text(const std::string& s) { return Text(s.data(), s.size()); }
std::string number(int64_t n) { return std::to_string(n); }

bool is_blank(unsigned char b) { return b == ' ' || (b >= 0x09 && b <= 0x0D) || b == 0x1A; }

// The reader's trimming: blanks are tab, LF, VT, FF, CR, space and 0x1A.
std::string trim_blanks(const std::string& s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && is_blank(static_cast<unsigned char>(s[first]))) ++first;
    while (last > first && is_blank(static_cast<unsigned char>(s[last - 1]))) --last;
    return s.substr(first, last - first);
}

// Names match with ASCII letters folded; double-byte characters exactly.
bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (is_lead(x)) {
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The first bytes of a text, never ending in half a character.
std::string first_characters(const std::string& s, size_t limit) {
    size_t end = 0;
    while (end < s.size() && end < limit) end += is_lead(static_cast<unsigned char>(s[end])) ? 2 : 1;
    if (end > s.size()) end -= 2;
    return s.substr(0, end);
}

std::string describe_byte(unsigned char b) {
    if (b == '\t') return "a tab";
    if (b < 0x20 || b == 0x7F) return "byte " + number(b);
    return std::string("'") + static_cast<char>(b) + "'";
}

// How 当前命令数量 reads: digits present at all, and text after them.
struct CountReading {
    bool has_digits = false;
    bool has_rest = false;
};

// Mirrors parse_int's folding of full-width digits, signs and spaces.
CountReading read_count(const std::string& value) {
    std::string folded;
    for (size_t i = 0; i < value.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(value[i]);
        if (is_lead(b) && i + 1 < value.size()) {
            const unsigned char t = static_cast<unsigned char>(value[i + 1]);
            if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) folded.push_back(static_cast<char>(t - 0x80));
            else if (b == 0xA1 && t == 0xA1) folded.push_back(' ');
            else folded.push_back('x');  // any other character ends the number
            ++i;
            continue;
        }
        folded.push_back(static_cast<char>(b));
    }
    size_t i = 0;
    while (i < folded.size() && folded[i] != 0 && strchr(" \t\n\v\f\r", folded[i]) != nullptr) ++i;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) ++i;
    const size_t digits = i;
    while (i < folded.size() && folded[i] >= '0' && folded[i] <= '9') ++i;
    CountReading reading;
    reading.has_digits = i > digits;
    reading.has_rest = trim_blanks(folded.substr(i)).size() > 0;
    return reading;
}

// A line number as the interpreter writes it: int_to_text of 1, 2, 3 ...
bool is_line_number(const std::string& key, int32_t& n) {
    if (key.empty() || key.size() > 10 || key[0] < '1' || key[0] > '9') return false;
    int64_t value = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) return false;
    n = static_cast<int32_t>(value);
    return true;
}

struct Entry {
    int32_t line;
    std::string key;
    bool has_value;     // the line holds "="
    std::string value;  // as written, blanks around removed
};

struct Section {
    int32_t line;  // 0: the lines before the first header
    std::string name;
    std::vector<Entry> entries;
};

// A lead byte whose partner is not a trail byte: the reader sees "?".
struct BrokenCharacter {
    int32_t line;
    size_t position;  // 1-based byte in the line
    bool swallows_line_end;
};

struct ScannedText {
    std::vector<Section> sections;
    std::vector<BrokenCharacter> broken;
};

// Position of the last "]" taken as a whole character, or npos.
size_t closing_bracket(const std::string& line) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ']') found = i;
        if (is_lead(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) ++i;
    }
    return found;
}

// Adds one line of the reader's view: a header, or an entry of the section
// it stands in.
void add_line(const std::string& raw, int32_t line_number, ScannedText& scanned) {
    const std::string line = trim_blanks(raw);
    if (line.empty()) return;
    std::vector<Section>& sections = scanned.sections;
    if (line[0] == '[') {
        const size_t close = closing_bracket(line);
        if (close != std::string::npos) {
            sections.push_back(Section{line_number, trim_blanks(line.substr(1, close - 1)), {}});
            return;
        }
    }
    if (sections.empty()) sections.push_back(Section{0, std::string(), {}});
    const size_t equals = line.find('=');  // "=" is never a trail byte
    if (equals == std::string::npos) {
        sections.back().entries.push_back(Entry{line_number, line, false, std::string()});
        return;
    }
    sections.back().entries.push_back(Entry{line_number, trim_blanks(line.substr(0, equals)), true,
                                            trim_blanks(line.substr(equals + 1))});
}

// Splits the text into lines as the reader does: at CR or LF, with a lead
// byte taking the next byte along, even a line end. Line numbers count line
// breaks as an editor shows them (CR LF is one).
ScannedText scan_text(const std::string& text) {
    ScannedText scanned;
    size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int32_t line_number = 1;
    int32_t line_start_number = 1;
    std::string line;
    const auto count_break = [&](size_t at) {
        if (text[at] == '\n' || at + 1 >= text.size() || text[at + 1] != '\n') ++line_number;
    };
    while (i < text.size()) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '\r' || b == '\n') {
            add_line(line, line_start_number, scanned);
            line.clear();
            count_break(i);
            line_start_number = line_number;
            ++i;
            continue;
        }
        if (!is_lead(b) || i + 1 >= text.size()) {
            if (is_lead(b)) scanned.broken.push_back(BrokenCharacter{line_number, line.size() + 1, false});
            line.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        const unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (!is_trail(next)) {
            const bool line_end = next == '\r' || next == '\n';
            // With CR LF the LF still ends the line; otherwise two lines join.
            const bool joins = line_end && !(next == '\r' && i + 2 < text.size() && text[i + 2] == '\n');
            scanned.broken.push_back(BrokenCharacter{line_number, line.size() + 1, joins});
            if (line_end) count_break(i + 1);
        }
        line.push_back(static_cast<char>(b));
        line.push_back(static_cast<char>(next));
        i += 2;
    }
    add_line(line, line_start_number, scanned);
    return scanned;
}

std::string missing_ranges(const std::vector<std::pair<int32_t, int32_t>>& ranges) {
    std::string text;
    for (size_t i = 0; i < ranges.size() && i < kMissingRangesShown; ++i) {
        if (i > 0) text += ", ";
        text += number(ranges[i].first);
        if (ranges[i].second > ranges[i].first) text += "-" + number(ranges[i].second);
    }
    if (ranges.size() > kMissingRangesShown) text += ", ...";
    return text;
}

class Checker {
public:
    explicit Checker(const Bytes& text)
        : text_(text.data(), text.size()), document_(text), scanned_(scan_text(text_)),
          sections_(scanned_.sections) {}

    std::vector<Finding> run() {
        if (written_in_utf8()) {
            add(0, Severity::error,
                "the text is UTF-8, but scripts are GBK text: no key is found and nothing runs "
                "(convert it, for example with iconv -f UTF-8 -t GBK)");
            return findings_;
        }
        check_broken_characters();
        const Section* info = first_section(kInfo);
        if (!info) {
            add(0, Severity::error, "no [info] section: nothing runs");
            return sorted();
        }
        check_repeated_sections(kInfo);
        const int32_t count = check_count(*info);
        check_command_section(*info, count);
        check_program_name(*info);
        return sorted();
    }

private:
    std::vector<Finding> sorted() {
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return findings_;
    }

    void check_broken_characters() {
        for (const BrokenCharacter& broken : scanned_.broken) {
            if (broken.swallows_line_end) {
                add(broken.line, Severity::warning,
                    "the line ends in half of a double-byte character, which takes the line break "
                    "with it: the next line is read as part of this one");
            } else {
                add(broken.line, Severity::warning,
                    "byte " + number(static_cast<int64_t>(broken.position)) +
                        " is half of a double-byte character: it reads as '?'");
            }
        }
    }

    void add(int32_t line, Severity severity, const std::string& message) {
        findings_.push_back(Finding{line, severity, message});
    }

    bool written_in_utf8() const {
        for (const char* sign : kUtf8Signs) {
            if (text_.find(sign) != std::string::npos) return true;
        }
        return false;
    }

    const Section* first_section(const std::string& name) const {
        for (const Section& s : sections_) {
            if (same_name(s.name, name)) return &s;
        }
        return nullptr;
    }

    // The reader searches only the first section of a name.
    std::vector<const Entry*> entries_of(const std::string& section) const {
        std::vector<const Entry*> entries;
        const Section* first = first_section(section);
        if (first) {
            for (const Entry& e : first->entries) entries.push_back(&e);
        }
        return entries;
    }

    const Entry* first_entry(const std::string& section, const std::string& key) const {
        for (const Entry* e : entries_of(section)) {
            if (same_name(e->key, key)) return e;
        }
        return nullptr;
    }

    bool read(const std::string& section, const std::string& key, std::string& value) const {
        Text found;
        const bool present = document_.find(to_text(section), to_text(key), IniMode::profile, found);
        value = from_text(found);
        return present;
    }

    void check_repeated_sections(const std::string& name) {
        const Section* first = first_section(name);
        for (const Section& s : sections_) {
            if (&s != first && same_name(s.name, name)) {
                add(s.line, Severity::warning,
                    "section [" + s.name + "] appears again (first on line " + number(first->line) +
                        "): its lines are never read");
            }
        }
    }

    // Returns the count as the programs read it.
    int32_t check_count(const Section& info) {
        std::string value;
        const Entry* entry = first_entry(kInfo, kCountKey);
        if (!read(kInfo, kCountKey, value) || !entry) {
            count_usable_ = false;
            add(info.line, Severity::error,
                std::string("[info] has no ") + kCountKey + ": the count reads as 0 and nothing runs");
            return 0;
        }
        const int32_t count = parse_int(to_text(value));
        const CountReading reading = read_count(value);
        const std::string shown = std::string(kCountKey) + "=" + value;
        if (!reading.has_digits) {
            count_usable_ = false;
            add(entry->line, Severity::error, shown + " is not a number: it reads as 0 and nothing runs");
            return count;
        }
        if (reading.has_rest) {
            add(entry->line, Severity::warning, shown + " reads as " + number(count) + ": the rest is ignored");
        }
        if (count <= 0) {
            add(entry->line, Severity::warning, std::string(kCountKey) + " is " + number(count) + ": nothing runs");
        } else if (count > kLineBound) {
            add(entry->line, Severity::warning,
                std::string(kCountKey) + " is " + number(count) + ": the run stops after line " +
                    number(kLineBound));
        }
        return count;
    }

    void check_command_section(const Section& info, int32_t count) {
        std::string name;
        const Entry* entry = first_entry(kInfo, kSectionKey);
        if (!read(kInfo, kSectionKey, name) || name.empty() || !entry) {
            add(entry ? entry->line : info.line, Severity::error,
                std::string("[info] has no ") + kSectionKey + ": there is no command section and nothing runs");
            return;
        }
        if (!first_section(name)) {
            add(entry->line, Severity::error,
                std::string(kSectionKey) + " names [" + name + "], but there is no such section: nothing runs");
            return;
        }
        check_repeated_sections(name);
        std::map<int32_t, int32_t> present;  // line number -> script line
        for (const Entry* e : entries_of(name)) check_command_key(*e, count, present);
        for (const auto& numbered : present) {
            if (numbered.first <= count && numbered.first <= kLineBound) {
                std::string value;
                read(name, number(numbered.first), value);
                check_command_line(numbered.second, value, raw_value_at(numbered.second));
            }
        }
        check_missing_lines(name, count, present);
    }

    const std::string& raw_value_at(int32_t line) const {
        static const std::string kNone;
        for (const Section& s : sections_) {
            for (const Entry& e : s.entries) {
                if (e.line == line) return e.value;
            }
        }
        return kNone;
    }

    void check_command_key(const Entry& e, int32_t count, std::map<int32_t, int32_t>& present) {
        if (!e.has_value) {
            add(e.line, Severity::warning, "the line has no '=': it is not a command line and is never read");
            return;
        }
        int32_t n = 0;
        if (!is_line_number(e.key, n)) {
            add(e.line, Severity::warning,
                "key '" + e.key + "' is never read: lines are looked up as 1, 2, 3 ... written plainly");
            return;
        }
        const auto known = present.find(n);
        if (known != present.end()) {
            add(e.line, Severity::warning,
                "line " + e.key + " appears again (first on line " + number(known->second) +
                    "): only the first is read");
            return;
        }
        present[n] = e.line;
        if (count_usable_ && n > count) {
            add(e.line, Severity::warning,
                "line " + e.key + " is above " + kCountKey + " (" + number(count) + "): it never runs");
        }
    }

    // value: as the reader returns it; raw: as written.
    void check_command_line(int32_t at, const std::string& value, const std::string& raw) {
        if (value.empty()) {
            add(at, Severity::warning, "the line is empty: it does nothing");
            return;
        }
        if (raw.size() > kValueLimit && value.size() + 2 < raw.size()) {
            add(at, Severity::warning, "the line is longer than 10239 bytes: the rest is cut off");
        }
        if (raw.size() >= 2 && raw.front() == '\'' && raw.back() == '\'') {
            add(at, Severity::warning, "the enclosing single quotes are removed by the reader");
        }
        const std::string line = from_text(replace_all(to_text(value), "\"", Text(), true));
        if (value.find('"') != std::string::npos) {
            add(at, Severity::warning, "the double quotes are removed: the line reads " + line);
        }
        if (line.compare(0, kMessageWordSize, kMessageWord) == 0 && line.size() >= kMessageWordSize) {
            check_separator(at, line, kMessageWordSize, kMessageWord);
            if (line.size() == kMessageWordSize) {
                add(at, Severity::warning, std::string(kMessageWord) + " without a text shows an empty box");
            }
        } else if (line.compare(0, kTitleWordSize, kTitleWord) == 0 && line.size() >= kTitleWordSize) {
            check_separator(at, line, kTitleWordSize, kTitleWord);
        } else {
            const std::string word = first_characters(line.substr(0, line.find(' ')), 24);
            add(at, Severity::warning, "unknown command '" + word + "': the line does nothing");
        }
    }

    // The byte after the command word is skipped whatever it is.
    void check_separator(int32_t at, const std::string& line, size_t word_size, const char* word) {
        if (line.size() <= word_size || line[word_size] == ' ') return;
        const unsigned char separator = static_cast<unsigned char>(line[word_size]);
        if (is_lead(separator)) {
            add(at, Severity::warning,
                std::string("no space after ") + word + ": the double-byte character after it is cut in half");
        } else {
            add(at, Severity::warning,
                std::string("no space after ") + word + ": its first byte " + describe_byte(separator) +
                    " is lost");
        }
    }

    void check_missing_lines(const std::string& section, int32_t count,
                             const std::map<int32_t, int32_t>& present) {
        if (!count_usable_ || count <= 0) return;
        const Entry* count_entry = first_entry(kInfo, kCountKey);
        const int32_t at = count_entry ? count_entry->line : 0;
        const int32_t last = std::min(count, kLineBound);
        std::vector<std::pair<int32_t, int32_t>> ranges;
        int32_t expected = 1;
        for (const auto& numbered : present) {
            if (numbered.first > last) break;
            if (numbered.first > expected) ranges.emplace_back(expected, numbered.first - 1);
            expected = numbered.first + 1;
        }
        if (expected <= last) ranges.emplace_back(expected, last);
        if (ranges.empty()) return;
        const bool none = ranges.size() == 1 && ranges[0].first == 1 && ranges[0].second == last;
        if (none) {
            add(at, Severity::warning,
                std::string(kCountKey) + " is " + number(count) + ", but [" + section +
                    "] has no numbered lines up to it: nothing runs");
            return;
        }
        const bool one = ranges.size() == 1 && ranges[0].first == ranges[0].second;
        add(at, Severity::warning,
            std::string(kCountKey) + " is " + number(count) + (one ? ", but line " : ", but lines ") +
                missing_ranges(ranges) + (one ? " is missing: it is skipped" : " are missing: they are skipped"));
    }

    void check_program_name(const Section& info) {
        std::string name;
        const Entry* entry = first_entry(kInfo, kNameKey);
        const bool present = read(kInfo, kNameKey, name) && entry;
        const int32_t at = entry ? entry->line : info.line;
        const NameCheck check = tlq::tlqc::check_program_name(to_text(name));
        switch (check.verdict) {
            case NameVerdict::fits:
                return;
            case NameVerdict::empty:
                add(at, Severity::warning,
                    std::string(present ? "" : "[info] has no ") + kNameKey + (present ? " is empty" : "") +
                        ": compile names its files .tlqcode and .exe");
                return;
            case NameVerdict::too_long:
                add(at, Severity::warning,
                    std::string(kNameKey) + " is " + number(static_cast<int64_t>(name.size())) +
                        " bytes, more than the 32 the launcher holds: compile writes no launcher");
                return;
            case NameVerdict::invalid:
                add(at, Severity::error,
                    std::string(kNameKey) + " '" + name + "' is not a valid file name: " +
                        from_text(check.reason));
                return;
        }
    }

    std::string text_;
    IniDocument document_;
    ScannedText scanned_;
    const std::vector<Section>& sections_;
    std::vector<Finding> findings_;
    bool count_usable_ = true;
};

}  // namespace

std::vector<Finding> check_script(const Bytes& text) { return Checker(text).run(); }

}  // namespace tlq::tlqc
