// Special folders, the program's own location and its command line.
#include "system_paths.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <stdlib.h>

#include "../command_line.h"

namespace tlq {

namespace {

Text fixed_program_directory;
Text fixed_program_file_name;

// Position of the last "\" in the path, scanning by GBK characters so a trail
// byte 0x5C never counts; size() when there is none.
size_t last_separator(const Text& path) {
    size_t found = path.size();
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\') {
            found = i;
        } else if (path[i] >= 0x80) {
            ++i;
        }
    }
    return found;
}

// Ensures exactly the one trailing "\" that callers rely on; empty stays empty.
Text with_trailing_separator(const char* path) {
    Text result(path);
    if (result.empty()) return result;
    while (!result.empty() && last_separator(result) == result.size() - 1) {
        result.resize(result.size() - 1);
    }
    result.push_back('\\');
    return result;
}

Text shell_folder(int csidl) {
    char buffer[MAX_PATH + 1] = {0};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return Text();
    return with_trailing_separator(buffer);
}

template <typename Getter>
Text system_folder(Getter getter) {
    char buffer[MAX_PATH + 2] = {0};
    const UINT length = getter(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return Text();
    return with_trailing_separator(buffer);
}

UINT windows_directory(char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }
UINT system_directory(char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }
UINT temp_directory(char* buffer, UINT size) { return GetTempPathA(size, buffer); }

// GetModuleFileNameA cuts long paths silently: grow until it fits.
Text module_path() {
    DWORD size = MAX_PATH + 1;
    for (int attempt = 0; attempt < 8; ++attempt) {
        Text buffer;
        if (!buffer.resize(size)) return Text();
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) return Text();
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        size *= 2;
    }
    return Text();
}

Text folder_of(const Text& path) {
    const size_t cut = last_separator(path);
    return cut == path.size() ? Text() : path.substr(0, cut);
}

Text name_of(const Text& path) {
    const size_t cut = last_separator(path);
    return cut == path.size() ? path : path.substr(cut + 1, path.size() - cut - 1);
}

}  // namespace

Text special_folder_path(int number) {
    switch (number) {
    case 1: return shell_folder(CSIDL_PERSONAL);
    case 2: return shell_folder(CSIDL_FAVORITES);
    case 3: return shell_folder(CSIDL_DESKTOPDIRECTORY);
    case 4: return shell_folder(CSIDL_FONTS);
    case 5: return shell_folder(CSIDL_STARTMENU);
    case 6: return shell_folder(CSIDL_PROGRAMS);
    case 7: return shell_folder(CSIDL_STARTUP);
    case 8: return shell_folder(CSIDL_APPDATA);
    case 9: return system_folder(windows_directory);
    case 10: return system_folder(system_directory);
    case 11: return system_folder(temp_directory);
    default: return Text();
    }
}

void init_program_location() {
    const Text path = module_path();
    fixed_program_directory = folder_of(path);
    fixed_program_file_name = name_of(path);
    if (!fixed_program_directory.empty()) {
        // "C:" alone would mean the drive's current folder: keep the root.
        const Text target = fixed_program_directory.size() == 2 && fixed_program_directory[1] == ':'
                                ? fixed_program_directory + "\\"
                                : fixed_program_directory;
        SetCurrentDirectoryA(target.c_str());
    }
}

Text program_directory() { return fixed_program_directory; }

Text program_file_name() { return fixed_program_file_name; }

Text module_directory() { return folder_of(module_path()); }

TextList command_line_arguments() { return split_command_line(Text(GetCommandLineA())); }

TextList wide_command_line_arguments() {
    TextList arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) {
        const int needed = WideCharToMultiByte(936, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        Text argument;
        if (needed > 1 && argument.resize(static_cast<size_t>(needed))) {
            WideCharToMultiByte(936, 0, wide[i], -1, argument.data(), needed, nullptr, nullptr);
            argument.resize(static_cast<size_t>(needed - 1));
        }
        arguments.push_back(argument);
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace tlq
