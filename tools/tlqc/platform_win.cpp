#include "platform.h"

#include <windows.h>
#include <shellapi.h>

#include "file_services.h"
#include "win/message_box.h"

namespace tlq::tlqc {

namespace {

std::string ansi_from_wide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.pop_back();  // the terminating zero
    return text;
}

// Walks by characters: a double-byte character may end in byte 0x5C.
bool ends_with_separator(const std::string& folder) {
    bool separator = false;
    for (size_t i = 0; i < folder.size(); ++i) {
        const char c = folder[i];
        separator = c == '\\' || c == '/' || (c == ':' && i == 1 && folder.size() == 2);
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < folder.size()) ++i;
    }
    return separator;
}

}  // namespace

// The console's usual quoting rules (CommandLineToArgvW), in the ANSI code page.
std::vector<std::string> program_arguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 1; i < count; ++i) args.push_back(ansi_from_wide(wide[i]));
    LocalFree(wide);
    return args;
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (ends_with_separator(folder)) return folder + name;
    return folder + "\\" + name;
}

std::string write_temporary_file(const Bytes& content) {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH) return std::string();
    char path[MAX_PATH + 1];
    if (GetTempFileNameA(folder, "tlq", 0, path) == 0) return std::string();  // creates it
    if (!write_whole_file(Text(path), content)) {
        DeleteFileA(path);
        return std::string();
    }
    return path;
}

void remove_temporary_file(const std::string& path) {
    if (!path.empty()) DeleteFileA(path.c_str());
}

bool message_boxes_available() { return true; }

void show_message_box(const Text& message, const Text* title) { show_message(message, 0, title); }

}  // namespace tlq::tlqc
