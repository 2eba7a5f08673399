// The one-line input dialog. Its template is built in memory at run time,
// so the core needs no resource script; the strings in a template are
// UTF-16, converted from the GBK texts with the ANSI code page.
#include "ask_text.h"

#include <windows.h>

namespace tlq {

namespace {

const char default_caption[] = "请输入：";
const char confirm_caption[] = "确认输入(&O)";
const char cancel_caption[] = "取消(&C)";
const char dialog_font[] = "宋体";
const WORD dialog_font_points = 9;

const WORD button_class = 0x0080;
const WORD edit_class = 0x0081;
const WORD static_class = 0x0082;

struct Box {
    short x, y, cx, cy;
};

struct Layout {
    Box dialog, frame, prompt, edit, confirm, cancel;
};

const Layout with_prompt = {
    {0, 0, 252, 92}, {7, 7, 238, 35}, {12, 11, 229, 27}, {7, 45, 238, 12}, {63, 66, 55, 19}, {134, 66, 55, 19}};
const Layout without_prompt = {
    {0, 0, 214, 56}, {0, 0, 0, 0}, {0, 0, 0, 0}, {7, 7, 200, 12}, {82, 30, 55, 19}, {151, 30, 55, 19}};

// Appends the pieces of a DLGTEMPLATE and its items to a byte buffer; any
// failed growth leaves the buffer empty, which the caller checks at the end.
class TemplateWriter {
public:
    bool ok() const { return ok_; }
    const Bytes& bytes() const { return bytes_; }

    void word(WORD value) { raw(&value, sizeof value); }
    void dword(DWORD value) { raw(&value, sizeof value); }
    void box(const Box& b) {
        word(static_cast<WORD>(b.x));
        word(static_cast<WORD>(b.y));
        word(static_cast<WORD>(b.cx));
        word(static_cast<WORD>(b.cy));
    }
    void wide_text(const char* text) {
        const int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        if (count <= 0) {
            word(0);
            return;
        }
        const size_t start = bytes_.size();
        if (!bytes_.resize(start + static_cast<size_t>(count) * sizeof(WCHAR))) {
            ok_ = false;
            return;
        }
        MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(bytes_.data() + start), count);
    }
    void align_to_dword() {
        while (ok_ && bytes_.size() % 4 != 0) word(0);
    }

    void header(DWORD style, WORD item_count, const Box& size, const char* caption) {
        dword(style);
        dword(0);  // extended style
        word(item_count);
        box(size);
        word(0);  // no menu
        word(0);  // standard dialog class
        wide_text(caption);
        word(dialog_font_points);
        wide_text(dialog_font);
    }

    void item(DWORD style, const Box& where, WORD id, WORD class_atom, const char* text) {
        align_to_dword();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        box(where);
        word(id);
        word(0xFFFF);
        word(class_atom);
        wide_text(text);
        word(0);  // no creation data
    }

private:
    void raw(const void* data, size_t size) {
        if (ok_ && !bytes_.append(data, size)) ok_ = false;
    }
    Bytes bytes_;
    bool ok_ = true;
};

struct DialogState {
    const char* initial;
    Text entered;
};

Bytes build_template(bool has_prompt, const char* prompt, const char* caption, int input_mode) {
    const Layout& layout = has_prompt ? with_prompt : without_prompt;
    TemplateWriter writer;
    const DWORD dialog_style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    writer.header(dialog_style, has_prompt ? 5 : 3, layout.dialog, caption);
    if (has_prompt) {
        writer.item(BS_GROUPBOX, layout.frame, ask_text_frame_id, button_class, "");
        writer.item(SS_LEFT | SS_NOPREFIX, layout.prompt, ask_text_prompt_id, static_class, prompt);
    }
    DWORD edit_style = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    if (input_mode == 4) edit_style |= ES_PASSWORD;
    writer.item(edit_style, layout.edit, ask_text_edit_id, edit_class, "");
    writer.item(BS_DEFPUSHBUTTON | WS_TABSTOP, layout.confirm, IDOK, button_class, confirm_caption);
    writer.item(BS_PUSHBUTTON | WS_TABSTOP, layout.cancel, IDCANCEL, button_class, cancel_caption);
    return writer.ok() ? writer.bytes() : Bytes();
}

Text edit_text(HWND edit) {
    Text text;
    const int length = GetWindowTextLengthA(edit);
    if (length <= 0 || !text.resize(static_cast<size_t>(length) + 1)) return Text();
    const int copied = GetWindowTextA(edit, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void dialog_opened(HWND dialog, const DialogState& state) {
    HWND edit = GetDlgItem(dialog, ask_text_edit_id);
    SetWindowTextA(edit, state.initial);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

INT_PTR CALLBACK ask_text_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        dialog_opened(dialog, *reinterpret_cast<DialogState*>(lparam));
        return FALSE;  // focus is set: the edit field with its text selected
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            DialogState* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            state->entered = edit_text(GetDlgItem(dialog, ask_text_edit_id));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {  // also Esc and the close box
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

bool ask_text(const Text* prompt, const Text* title, const Text* initial, Text& variable, int input_mode,
              void* owner) {
    if (input_mode < 1) input_mode = 1;
    if (input_mode > 4) input_mode = 4;
    const bool has_prompt = prompt && !prompt->empty();
    const char* caption = title && !title->empty() ? title->c_str() : default_caption;
    const Bytes dialog_template = build_template(has_prompt, has_prompt ? prompt->c_str() : "", caption, input_mode);
    if (dialog_template.empty()) return false;

    DialogState state{initial ? initial->c_str() : "", Text()};
    const INT_PTR answer = DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.c_str()),
        static_cast<HWND>(owner), ask_text_procedure, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return false;
    variable = state.entered;
    return true;
}

}  // namespace tlq
