// The reader answers as the Windows profile reader does on GBK files (checked
// against it by tests/wine/ini_differential):
// - bytes are read as GBK characters first: a lead byte 0x81-0xFE takes the
//   next byte with it; a pair with an invalid trail byte, and a lead byte at
//   the very end of the file, read as one "?". So "\r", "\n", "=" or a quote
//   right after a lead byte belong to that broken character.
// - lines end at CR or LF; blanks (tab, LF, VT, FF, CR, space, 0x1A) are
//   trimmed at the start of a line, around keys and at both ends of values;
// - "[" opens a section header, which closes at the LAST "]" of the line;
//   the name is trimmed and anything after the "]" is ignored; a "[" line
//   without "]" is an ordinary line;
// - text before the first header forms a section named "";
// - the first section of a name is the only one searched, and the first
//   line of a key wins, even a line without "=" (which has no value);
// - names match ignoring the case of ASCII letters only; names and values
//   end at a zero byte.
#include "ini_reader.h"

#include "file_services.h"

#include <new>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace tlq {

namespace {

// The profile reader fills a buffer of 10,240 bytes, zero included.
constexpr size_t kProfileValueLimit = 10239;

bool is_lead_byte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool is_trail_byte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }
bool is_blank(unsigned char b) { return b == ' ' || (b >= 0x09 && b <= 0x0D) || b == 0x1A; }
bool is_line_end(unsigned char b) { return b == '\r' || b == '\n'; }
unsigned char fold_ascii(unsigned char b) { return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b; }

enum class LoneLeadAtEnd { question_mark, dropped };

// Rewrites GBK bytes the way the platform sees them: valid pairs kept,
// broken pairs as "?". Afterwards every byte 0x81-0xFE starts a valid pair.
// out must hold size bytes; returns the new length.
size_t read_as_gbk(const unsigned char* in, size_t size, unsigned char* out, LoneLeadAtEnd lone_lead) {
    size_t o = 0;
    size_t i = 0;
    while (i < size) {
        unsigned char b = in[i];
        if (!is_lead_byte(b)) {
            out[o++] = b;
            i += 1;
        } else if (i + 1 == size) {
            if (lone_lead == LoneLeadAtEnd::question_mark) out[o++] = '?';
            i += 1;
        } else if (in[i + 1] == 0) {
            out[o++] = '?';  // the zero stays and ends the text there
            i += 1;
        } else if (is_trail_byte(in[i + 1])) {
            out[o++] = b;
            out[o++] = in[i + 1];
            i += 2;
        } else {
            out[o++] = '?';
            i += 2;
        }
    }
    return o;
}

size_t unit_length(const unsigned char* p, size_t left) {
    return (is_lead_byte(p[0]) && left >= 2) ? 2 : 1;
}

struct Span {
    size_t start = 0;
    size_t length = 0;
};

Span trimmed(const unsigned char* text, Span span) {
    while (span.length > 0 && is_blank(text[span.start])) {
        ++span.start;
        --span.length;
    }
    while (span.length > 0 && is_blank(text[span.start + span.length - 1])) --span.length;
    return span;
}

// Names and values are zero-terminated strings inside the platform reader.
Span up_to_zero(const unsigned char* text, Span span) {
    const void* zero = memchr(text + span.start, 0, span.length);
    if (zero) span.length = static_cast<size_t>(static_cast<const unsigned char*>(zero) - (text + span.start));
    return span;
}

// FNV-1a over the name with ASCII letters folded; trail bytes stay as they are.
uint32_t name_hash(uint32_t scope, const unsigned char* p, size_t n) {
    uint32_t h = 2166136261u ^ scope;
    h *= 16777619u;
    size_t i = 0;
    while (i < n) {
        size_t u = unit_length(p + i, n - i);
        h = (h ^ (u == 1 ? fold_ascii(p[i]) : p[i])) * 16777619u;
        if (u == 2) h = (h ^ p[i + 1]) * 16777619u;
        i += u;
    }
    return h;
}

bool same_name(const unsigned char* a, size_t an, const unsigned char* b, size_t bn) {
    if (an != bn) return false;
    size_t i = 0;
    while (i < an) {
        size_t u = unit_length(a + i, an - i);
        if (u == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (fold_ascii(a[i]) != fold_ascii(b[i])) {
            return false;
        }
        i += u;
    }
    return true;
}

// One name in the index: a section (scope 0, id in value.start) or a key
// (scope = section id + 1).
struct Record {
    Span name;
    Span value;
    uint32_t hash = 0;
    uint32_t scope = 0;
    bool used = false;
    bool has_value = false;
};

// Open addressing with linear probing; the table doubles at half load.
class NameIndex {
public:
    NameIndex() = default;
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;
    ~NameIndex() { free(slots_); }

    const Record* find(const unsigned char* text, uint32_t scope, const unsigned char* name, size_t n) const {
        if (!slots_) return nullptr;
        uint32_t h = name_hash(scope, name, n);
        for (size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Record& r = slots_[i];
            if (!r.used) return nullptr;
            if (r.hash == h && r.scope == scope && same_name(text + r.name.start, r.name.length, name, n)) return &r;
        }
    }

    // Adds the record unless its name is already there; false when out of memory.
    bool add_first(const unsigned char* text, const Record& record, bool& added) {
        added = false;
        if ((count_ + 1) * 2 > capacity_ && !grow()) return false;
        Record r = record;
        r.hash = name_hash(r.scope, text + r.name.start, r.name.length);
        r.used = true;
        size_t i = r.hash & mask_;
        for (; slots_[i].used; i = (i + 1) & mask_) {
            const Record& s = slots_[i];
            if (s.hash == r.hash && s.scope == r.scope &&
                same_name(text + s.name.start, s.name.length, text + r.name.start, r.name.length))
                return true;
        }
        slots_[i] = r;
        ++count_;
        added = true;
        return true;
    }

private:
    bool grow() {
        size_t capacity = capacity_ ? capacity_ * 2 : 64;
        if (capacity > static_cast<size_t>(-1) / sizeof(Record)) return false;
        Record* fresh = static_cast<Record*>(calloc(capacity, sizeof(Record)));
        if (!fresh) return false;
        size_t mask = capacity - 1;
        for (size_t k = 0; k < capacity_; ++k) {
            if (!slots_[k].used) continue;
            size_t i = slots_[k].hash & mask;
            while (fresh[i].used) i = (i + 1) & mask;
            fresh[i] = slots_[k];
        }
        free(slots_);
        slots_ = fresh;
        capacity_ = capacity;
        mask_ = mask;
        return true;
    }

    Record* slots_ = nullptr;
    size_t capacity_ = 0;
    size_t mask_ = 0;
    size_t count_ = 0;
};

// Position of the last "]" of a header line, or 0 when there is none.
size_t closing_bracket(const unsigned char* text, Span line) {
    size_t found = 0;
    size_t i = line.start;
    size_t end = line.start + line.length;
    while (i < end) {
        if (text[i] == ']') found = i;
        i += unit_length(text + i, end - i);
    }
    return found;
}

Text value_text(const unsigned char* p, size_t n, IniMode mode) {
    // One enclosing pair of double or single quotes is not part of the value.
    if (n >= 2 && (p[0] == '"' || p[0] == '\'') && p[n - 1] == p[0]) {
        ++p;
        n -= 2;
    }
    if (mode == IniMode::profile && n > kProfileValueLimit) {
        // Cut at the last whole character that fits.
        size_t i = 0;
        while (i < n) {
            size_t u = unit_length(p + i, n - i);
            if (i + u > kProfileValueLimit) break;
            i += u;
        }
        n = i;
    }
    return Text(p, n);
}

// A requested name as the platform compares it: leading 0x01-0x20 skipped in
// profile mode, read as GBK, trimmed of blanks.
bool prepare_name(const Text& name, IniMode mode, Bytes& out) {
    const unsigned char* p = name.bytes();
    size_t n = name.size();
    if (mode == IniMode::profile) {
        while (n > 0 && p[0] >= 0x01 && p[0] <= 0x20) {
            ++p;
            --n;
        }
        if (n == 0) return false;
    }
    if (!out.resize(n)) return false;
    n = read_as_gbk(p, n, reinterpret_cast<unsigned char*>(out.data()), LoneLeadAtEnd::dropped);
    Span s = trimmed(out.bytes(), Span{0, n});
    out = out.substr(s.start, s.length);
    return true;
}

// The default answer passes the same steps as a found value, after its
// trailing spaces are removed (all but the first when it is only spaces).
Text default_text(const Text& default_value, IniMode mode) {
    Bytes d;
    if (!d.resize(default_value.size())) return Text();
    size_t n = read_as_gbk(default_value.bytes(), default_value.size(), reinterpret_cast<unsigned char*>(d.data()),
                           LoneLeadAtEnd::dropped);
    while (n > 1 && d[n - 1] == ' ') --n;
    return value_text(d.bytes(), n, mode);
}

}  // namespace

struct IniDocument::Impl {
    unsigned char* text = nullptr;
    size_t size = 0;
    NameIndex index;

    ~Impl() { free(text); }

    bool load(const Bytes& content);
    bool add_line(Span line, uint32_t& scope, uint32_t& next_section_id);
};

bool IniDocument::Impl::load(const Bytes& content) {
    const unsigned char* in = content.bytes();
    size_t n = content.size();
    // A UTF-8 byte-order mark is not part of the first line.
    if (n >= 3 && in[0] == 0xEF && in[1] == 0xBB && in[2] == 0xBF) {
        in += 3;
        n -= 3;
    }
    text = static_cast<unsigned char*>(malloc(n ? n : 1));
    if (!text) return false;
    size = read_as_gbk(in, n, text, LoneLeadAtEnd::question_mark);

    // Lines before the first header belong to the section named "".
    Record nameless;
    nameless.scope = 0;
    nameless.value.start = 0;
    bool added = false;
    if (!index.add_first(text, nameless, added)) return false;
    uint32_t scope = 1;  // keys of section id 0
    uint32_t next_section_id = 1;

    size_t i = 0;
    while (i < size) {
        size_t start = i;
        while (i < size && !is_line_end(text[i])) ++i;  // line ends are never trail bytes
        if (!add_line(Span{start, i - start}, scope, next_section_id)) return false;
        if (i < size) ++i;
    }
    return true;
}

// scope: the keys' scope of the current section, 0 while inside a repeated
// section whose keys are never found.
bool IniDocument::Impl::add_line(Span line, uint32_t& scope, uint32_t& next_section_id) {
    line = trimmed(text, line);
    if (line.length == 0) return true;
    bool added = false;
    if (text[line.start] == '[') {
        size_t close = closing_bracket(text, line);
        if (close != 0) {
            Record section;
            section.name = up_to_zero(text, trimmed(text, Span{line.start + 1, close - line.start - 1}));
            section.scope = 0;
            section.value.start = next_section_id;
            if (!index.add_first(text, section, added)) return false;
            if (added) {
                scope = next_section_id + 1;
                ++next_section_id;
            } else {
                scope = 0;
            }
            return true;
        }
    }
    if (scope == 0) return true;
    Record entry;
    entry.scope = scope;
    const void* equals = memchr(text + line.start, '=', line.length);  // "=" is never a trail byte
    if (equals) {
        size_t at = static_cast<size_t>(static_cast<const unsigned char*>(equals) - text);
        entry.name = up_to_zero(text, trimmed(text, Span{line.start, at - line.start}));
        entry.value = up_to_zero(text, trimmed(text, Span{at + 1, line.start + line.length - at - 1}));
        entry.has_value = true;
    } else {
        entry.name = up_to_zero(text, line);
    }
    return index.add_first(text, entry, added);
}

IniDocument::IniDocument(const Bytes& content) : impl_(nullptr) {
    // malloc instead of new: out of memory must not end the program.
    void* memory = malloc(sizeof(Impl));
    if (!memory) return;
    impl_ = new (memory) Impl;
    if (!impl_->load(content)) {
        // Out of memory: the document finds nothing.
        impl_->~Impl();
        free(impl_);
        impl_ = nullptr;
    }
}

IniDocument::~IniDocument() {
    if (!impl_) return;
    impl_->~Impl();
    free(impl_);
}

bool IniDocument::find(const Text& section, const Text& key, IniMode mode, Text& value) const {
    value.clear();
    if (!impl_) return false;
    Bytes section_name;
    Bytes key_name;
    if (!prepare_name(section, mode, section_name) || !prepare_name(key, mode, key_name)) return false;
    const Record* s = impl_->index.find(impl_->text, 0, section_name.bytes(), section_name.size());
    if (!s) return false;
    uint32_t scope = static_cast<uint32_t>(s->value.start) + 1;
    const Record* k = impl_->index.find(impl_->text, scope, key_name.bytes(), key_name.size());
    if (!k || !k->has_value) return false;
    value = value_text(impl_->text + k->value.start, k->value.length, mode);
    return true;
}

Text profile_read(const Text& file, const Text& section, const Text& key, const Text& default_value, IniMode mode) {
    Text path = file;
    if (mode == IniMode::profile) {
        size_t skip = 0;
        while (skip < file.size() && file[skip] >= 0x01 && file[skip] <= 0x20) ++skip;
        path = file.substr(skip, file.size() - skip);
        auto empty_after_skip = [](const Text& t) {
            for (size_t i = 0; i < t.size(); ++i)
                if (t[i] > 0x20) return false;
            return true;
        };
        if (path.empty() || empty_after_skip(section) || empty_after_skip(key)) return Text();
    }
    IniDocument document(read_whole_file(path));
    Text value;
    if (document.find(section, key, mode, value)) return value;
    return default_text(default_value, mode);
}

}  // namespace tlq
