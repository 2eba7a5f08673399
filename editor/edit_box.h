// 编辑框1: the large edit box that holds the script text. Its disabled flag
// is the no-document state.
#pragma once

#include <windows.h>
#include "byte_string.h"

namespace tlq::editor {

// Control id of 编辑框1.
const int kEditBox1Id = 1001;

HWND create_edit_box(HWND parent);
HWND edit_box();

Text edit_box_text();  // whole text, CR LF between lines
void set_edit_box_text(const Text& text);
bool edit_box_enabled();
void enable_edit_box();
// Width W - 15 and height H - 60 of the main window's outer size, never below 0.
void fit_edit_box_to(HWND main);
void release_edit_box_font();

}  // namespace tlq::editor
