// A modal one-line input dialog built from an in-memory template.
#pragma once

#include "../byte_string.h"

namespace tlq {

// Control ids in the dialog (the buttons are IDOK 1 and IDCANCEL 2).
const int ask_text_frame_id = 1000;
const int ask_text_prompt_id = 1001;
const int ask_text_edit_id = 1002;

// Confirmed: variable receives the entered text, true. Cancelled: false and
// variable unchanged. nullptr arguments mean absent. mode 4 masks input.
bool ask_text(const Text* prompt, const Text* title, const Text* initial, Text& variable,
              int input_mode = 1, void* owner = nullptr);

}  // namespace tlq
