// A small program that the service tests start, inspect and end. Its modes
// take plain ASCII words first (read with CommandLineToArgvW):
//   wait <ms>                      stay alive without a window
//   window <title> <ms>            show a top-level window with that title
//   args <out>                     write both argument lists to <out>
//   show <out>                     write the show command it was started with
//   marker <out> <ms>              sleep, then write <out> and end
//   box <out> <style> <text> [title]  show_message; write the answer number
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "file_services.h"
#include "win/message_box.h"
#include "win/system_paths.h"

namespace {

int argument_count = 0;
LPWSTR* wide_arguments = nullptr;

tlq::Text argument(int index) {
    if (index >= argument_count) return tlq::Text();
    char buffer[4096] = {0};
    WideCharToMultiByte(936, 0, wide_arguments[index], -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return tlq::Text(buffer);
}

int number_argument(int index) { return atoi(argument(index).c_str()); }

void write_text(const tlq::Text& path, const tlq::Text& content) { tlq::write_whole_file(path, content); }

// One argument per line, as hexadecimal bytes, so any byte survives.
tlq::Text hex_lines(const char* label, const tlq::TextList& list) {
    tlq::Text out = label;
    out.push_back('\n');
    for (size_t i = 0; i < list.size(); ++i) {
        char pair[3];
        for (size_t b = 0; b < list[i].size(); ++b) {
            snprintf(pair, sizeof pair, "%02X", list[i][b]);
            out.append(pair, 2);
        }
        out.push_back('\n');
    }
    return out;
}

LRESULT CALLBACK plain_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wparam, lparam);
}

void show_window_for(const tlq::Text& title, int milliseconds) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = plain_window;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "TlqServiceHelper";
    RegisterClassA(&window_class);
    HWND window = CreateWindowA("TlqServiceHelper", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                200, 100, nullptr, nullptr, window_class.hInstance, nullptr);
    SetTimer(window, 1, static_cast<UINT>(milliseconds), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) break;
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wide_arguments = CommandLineToArgvW(GetCommandLineW(), &argument_count);
    const tlq::Text mode = argument(1);
    if (mode == "wait") {
        Sleep(static_cast<DWORD>(number_argument(2)));
    } else if (mode == "window") {
        show_window_for(argument(2), number_argument(3));
    } else if (mode == "args") {
        write_text(argument(2), hex_lines("narrow", tlq::command_line_arguments()) +
                                    hex_lines("wide", tlq::wide_command_line_arguments()));
    } else if (mode == "show") {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        GetStartupInfoA(&startup);
        char line[64];
        snprintf(line, sizeof line, "%lu %u", static_cast<unsigned long>(startup.dwFlags),
                 static_cast<unsigned>(startup.wShowWindow));
        write_text(argument(2), line);
    } else if (mode == "marker") {
        Sleep(static_cast<DWORD>(number_argument(3)));
        write_text(argument(2), "done");
    } else if (mode == "box") {
        const tlq::Text title = argument(5);
        const int answer = tlq::show_message(argument(4), static_cast<unsigned>(number_argument(3)),
                                             argument_count > 5 ? &title : nullptr);
        char line[16];
        snprintf(line, sizeof line, "%d", answer);
        write_text(argument(2), line);
    }
    LocalFree(wide_arguments);
    return 0;
}
