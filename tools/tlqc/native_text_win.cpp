#include "native_text.h"

#include <windows.h>

namespace tlq::tlqc {

namespace {

constexpr UINT kGbk = 936;

// GBK to the ANSI code page through UTF-16; the same bytes when the ANSI
// code page is GBK, as on the systems the scripts are written for.
bool convert(const Text& gbk, std::string& native) {
    native.clear();
    if (gbk.empty()) return true;
    if (GetACP() == kGbk) {
        native.assign(gbk.data(), gbk.size());
        return true;
    }
    const int in_size = static_cast<int>(gbk.size());
    const int wide_size = MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, nullptr, 0);
    if (wide_size <= 0) return false;
    std::wstring wide(static_cast<size_t>(wide_size), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), in_size, &wide[0], wide_size);
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, nullptr, 0, nullptr, &lossy);
    if (size <= 0) return false;
    native.assign(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, &native[0], size, nullptr, &lossy);
    return !lossy;
}

}  // namespace

std::string native_from_gbk(const Text& gbk) {
    std::string native;
    if (!convert(gbk, native) && native.empty()) native.assign(gbk.data(), gbk.size());
    return native;
}

bool exact_native_from_gbk(const Text& gbk, std::string& native) { return convert(gbk, native); }

}  // namespace tlq::tlqc
