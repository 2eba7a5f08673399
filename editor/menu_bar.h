// The main window's menu tree and its keyboard accelerators.
#pragma once

#include <windows.h>

namespace tlq::editor {

HMENU create_menu_bar();
HACCEL create_accelerators();

// True for the ids of the menu tree (and so of the accelerators).
bool is_menu_command(int id);
bool menu_item_enabled(HWND window, int id);
void set_menu_item_enabled(HWND window, int id, bool enabled);

}  // namespace tlq::editor
