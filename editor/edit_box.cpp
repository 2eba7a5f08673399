// 编辑框1: multi-line, both scroll bars, no wrapping, no border, no limit of
// its own, Comic Sans MS at 14 pixels; starts empty and disabled.
#include "edit_box.h"

namespace tlq::editor {

namespace {

HWND the_edit_box = nullptr;
HFONT the_font = nullptr;

const DWORD edit_box_style = WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_HSCROLL |
                             WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_WANTRETURN |
                             ES_AUTOHSCROLL | ES_AUTOVSCROLL;
const int designed_width = 526;
const int designed_height = 356;
const int width_allowance = 15;
const int height_allowance = 60;

HFONT create_edit_font() {
    return CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "Comic Sans MS");
}

int not_below_zero(int value) { return value < 0 ? 0 : value; }

}  // namespace

HWND create_edit_box(HWND parent) {
    the_edit_box = CreateWindowExA(0, "EDIT", "", edit_box_style, 0, 0, designed_width,
                                   designed_height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditBox1Id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                                   nullptr);
    the_font = create_edit_font();
    SendMessageA(the_edit_box, WM_SETFONT, reinterpret_cast<WPARAM>(the_font), FALSE);
    // 0 means the platform's own maximum for a multi-line box.
    SendMessageA(the_edit_box, EM_SETLIMITTEXT, 0, 0);
    return the_edit_box;
}

HWND edit_box() { return the_edit_box; }

Text edit_box_text() {
    const int length = GetWindowTextLengthA(the_edit_box);
    Text text;
    if (length <= 0 || !text.resize(static_cast<size_t>(length) + 1)) return Text();
    const int copied = GetWindowTextA(the_edit_box, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void set_edit_box_text(const Text& text) { SetWindowTextA(the_edit_box, text.c_str()); }

bool edit_box_enabled() { return IsWindowEnabled(the_edit_box) != FALSE; }

void enable_edit_box() { EnableWindow(the_edit_box, TRUE); }

void fit_edit_box_to(HWND main) {
    RECT outer;
    if (!the_edit_box || !GetWindowRect(main, &outer)) return;
    const int width = not_below_zero(outer.right - outer.left - width_allowance);
    const int height = not_below_zero(outer.bottom - outer.top - height_allowance);
    MoveWindow(the_edit_box, 0, 0, width, height, TRUE);
}

void release_edit_box_font() {
    if (the_font) DeleteObject(the_font);
    the_font = nullptr;
}

}  // namespace tlq::editor
