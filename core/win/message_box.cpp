// Message boxes through MessageBoxA, with the answer numbers scripts test.
#include "message_box.h"

#include <windows.h>

namespace tlq {

namespace {

const unsigned system_modal_bit = MB_SYSTEMMODAL;  // 0x1000
const unsigned task_modal_bit = MB_TASKMODAL;      // 0x2000

int answer_number(int button) {
    switch (button) {
    case IDOK: return answer_ok;
    case IDCANCEL: return answer_cancel;
    case IDABORT: return answer_abort;
    case IDRETRY: return answer_retry;
    case IDIGNORE: return answer_ignore;
    case IDYES: return answer_yes;
    case IDNO: return answer_no;
    default: return answer_ok;
    }
}

}  // namespace

int show_message(const Text& message, unsigned style, const Text* title, void* owner) {
    const char* caption = title ? title->c_str() : "信息：";
    if (!(style & system_modal_bit)) style |= task_modal_bit;
    return answer_number(MessageBoxA(static_cast<HWND>(owner), message.c_str(), caption, style));
}

int show_message_plain(const Text& message, unsigned style, const Text* title) {
    const char* caption = title ? title->c_str() : "信息";
    return answer_number(MessageBoxA(nullptr, message.c_str(), caption, style));
}

}  // namespace tlq
