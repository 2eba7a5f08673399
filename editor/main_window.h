// The editor's main window: menu bar, 编辑框1, and the handlers of what the
// user does in it.
#pragma once

#include <windows.h>

namespace tlq::editor {

HWND create_main_window(HINSTANCE instance);
// Start-up once the window exists: command line, random seed, the script
// named first, then installing and registering.
void on_main_window_created();
// Runs the message loop until the main window is gone.
void run_message_loop();
void release_editor_texts();

}  // namespace tlq::editor
