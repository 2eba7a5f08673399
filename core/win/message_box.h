// Message boxes and their answer numbers (OK 0, Cancel 1, Abort 2, Retry 3,
// Ignore 4, Yes 5, No 6, anything else 0).
#pragma once

#include "../byte_string.h"

namespace tlq {

enum AnswerNumber { answer_ok = 0, answer_cancel, answer_abort, answer_retry, answer_ignore, answer_yes, answer_no };

// title == nullptr: the default title "信息：". The task-modal bit is added
// unless the system-modal bit is set. owner is an HWND or nullptr.
int show_message(const Text& message, unsigned style, const Text* title = nullptr, void* owner = nullptr);

// The code launcher's variant: default title "信息", flags unchanged, no owner.
int show_message_plain(const Text& message, unsigned style, const Text* title = nullptr);

}  // namespace tlq
