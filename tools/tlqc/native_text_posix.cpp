#include "native_text.h"

#include <errno.h>
#include <iconv.h>

namespace tlq::tlqc {

namespace {

// GBK to UTF-8 with glibc's converter. With lenient set, a byte that does
// not convert becomes '?' and the conversion goes on after it.
bool convert(const Text& gbk, bool lenient, std::string& utf8) {
    utf8.clear();
    iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // No converter: ASCII is the same in both, anything else is unknown.
        bool exact = true;
        for (size_t i = 0; i < gbk.size(); ++i) {
            const bool ascii = gbk[i] < 0x80;
            exact = exact && ascii;
            utf8.push_back(ascii ? static_cast<char>(gbk[i]) : '?');
        }
        return exact;
    }
    bool exact = true;
    char* in = const_cast<char*>(gbk.data());
    size_t in_left = gbk.size();
    char buffer[4096];
    while (in_left > 0) {
        char* out = buffer;
        size_t out_left = sizeof buffer;
        const size_t done = iconv(converter, &in, &in_left, &out, &out_left);
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL: a byte that is not GBK, or a cut character.
        exact = false;
        if (!lenient) break;
        utf8.push_back('?');
        ++in;
        --in_left;
    }
    iconv_close(converter);
    return exact;
}

}  // namespace

std::string native_from_gbk(const Text& gbk) {
    std::string utf8;
    convert(gbk, true, utf8);
    return utf8;
}

bool exact_native_from_gbk(const Text& gbk, std::string& native) {
    return convert(gbk, false, native);
}

}  // namespace tlq::tlqc
