// Starting a command line and ending one process by name.
#include "processes.h"

#include <windows.h>
#include <tlhelp32.h>

namespace tlq {

namespace {

const DWORD input_idle_wait_ms = 1000;

WORD show_command(int show_mode) {
    if (show_mode < 1) show_mode = 1;
    if (show_mode > 6) show_mode = 6;
    static const WORD commands[] = {SW_HIDE,          SW_SHOWNORMAL,     SW_SHOWMINIMIZED,
                                    SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE};
    return commands[show_mode - 1];
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Only ASCII letters fold: GBK bytes compare exactly.
bool same_ignoring_ascii_case(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (ascii_lower(*a) != ascii_lower(*b)) return false;
    }
    return *a == *b;
}

DWORD process_with_window_titled(const Text& name) {
    HWND window = FindWindowA(nullptr, name.c_str());
    if (!window) return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

DWORD first_process_named(const Text& name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        if (same_ignoring_ascii_case(entry.szExeFile, name.c_str())) found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

bool terminate_process(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (!process) return false;
    const bool ended = TerminateProcess(process, 0) != FALSE;
    CloseHandle(process);
    return ended;
}

}  // namespace

bool launch_command(const Text& command_line, bool wait, int show_mode) {
    if (command_line.empty()) return false;
    // CreateProcessA may write into the command line: hand it a copy.
    Text writable = command_line;
    if (writable.size() != command_line.size()) return false;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show_command(show_mode);
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return false;
    }
    if (wait) {
        WaitForSingleObject(info.hProcess, INFINITE);
    } else {
        WaitForInputIdle(info.hProcess, input_idle_wait_ms);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

bool kill_process_by_name(const Text& name) {
    if (name.empty()) return false;
    DWORD pid = process_with_window_titled(name);
    if (!pid) pid = first_process_named(name);
    return pid && terminate_process(pid);
}

}  // namespace tlq
