#include "console.h"

#include <windows.h>

namespace tlq::tlqc {

namespace {

// A console shows UTF-16 whatever its code page; a file or pipe gets the
// bytes as they are, in the ANSI code page.
void write_to(DWORD which, const std::string& text) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int size = static_cast<int>(text.size());
        const int wide_size = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
        if (wide_size > 0) {
            std::wstring wide(static_cast<size_t>(wide_size), L'\0');
            MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], wide_size);
            WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide_size), &written, nullptr);
            return;
        }
    }
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void print_line(const std::string& native_text) { write_to(STD_OUTPUT_HANDLE, native_text + "\r\n"); }

void print_error(const std::string& native_text) {
    write_to(STD_ERROR_HANDLE, "tlqc: " + native_text + "\r\n");
}

}  // namespace tlq::tlqc
