// A modal one-line input dialog built from an in-memory template.
#pragma once

#include "../byte_string.h"

namespace tlq {

// Confirmed: variable receives the entered text, true. Cancelled: false and
// variable unchanged. nullptr arguments mean absent. mode 4 masks input.
bool ask_text(const Text* prompt, const Text* title, const Text* initial, Text& variable,
              int input_mode = 1, void* owner = nullptr);

}  // namespace tlq
