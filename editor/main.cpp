// tlqedit: the Taliq Script editor.
#include <windows.h>

#include "main_window.h"
#include "win/system_paths.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_mode) {
    tlq::init_program_location();
    HWND window = tlq::editor::create_main_window(instance);
    if (window) {
        ShowWindow(window, show_mode);
        UpdateWindow(window);
        tlq::editor::on_main_window_created();
        tlq::editor::run_message_loop();
    }
    tlq::editor::release_editor_texts();
    return 0;
}
