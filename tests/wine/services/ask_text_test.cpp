// ask_text through the real input dialog: captions, texts, layout, answers.
#include <gtest/gtest.h>

#include "modal.h"
#include "win/ask_text.h"

namespace tlq {
namespace test {
namespace {

const char default_caption[] = "请输入：";
const char confirm_caption[] = "确认输入(&O)";
const char cancel_caption[] = "取消(&C)";

struct DialogUnits {
    int x, y, cx, cy;
};

struct SeenDialog {
    bool found = false;
    std::string caption;
    std::string prompt;
    bool has_prompt = false;
    bool has_frame = false;
    std::string edit_text;
    DWORD selection_start = 1, selection_end = 0;
    bool edit_focused = false;
    LONG edit_style = 0;
    std::string confirm_text, cancel_text;
    bool confirm_is_default = false;
    std::string font_face;
    LONG font_height = 0;
    SIZE client = {};
    SIZE expected_client = {};
    std::vector<std::string> misplaced;  // controls whose rectangle differs from the layout
};

// The rectangle of a child in its dialog's client coordinates.
RECT client_rect_of(HWND dialog, HWND child) {
    RECT rect = window_rect(child);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The dialog manager converts position and size each on their own (not the
// far corner), so rounding matches only when done the same way.
RECT pixels(HWND dialog, const DialogUnits& units) {
    RECT mapped = {units.x, units.y, units.cx, units.cy};
    MapDialogRect(dialog, &mapped);
    return RECT{mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
}

size_t characters(const Text& text) {
    return static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0));
}

void check_place(HWND dialog, int id, const DialogUnits& units, const char* name, SeenDialog& seen) {
    HWND child = GetDlgItem(dialog, id);
    const RECT expected = pixels(dialog, units);
    const RECT actual = child ? client_rect_of(dialog, child) : RECT{};
    if (!child || !EqualRect(&expected, &actual)) seen.misplaced.push_back(name);
}

struct Layout {
    DialogUnits size, frame, prompt, edit, confirm, cancel;
};
const Layout with_prompt = {{0, 0, 252, 92}, {7, 7, 238, 35},  {12, 11, 229, 27},
                            {7, 45, 238, 12}, {63, 66, 55, 19}, {134, 66, 55, 19}};
const Layout without_prompt = {{0, 0, 214, 56}, {}, {}, {7, 7, 200, 12}, {82, 30, 55, 19}, {151, 30, 55, 19}};

SeenDialog read_dialog(HWND dialog) {
    SeenDialog seen;
    if (!dialog) return seen;
    seen.found = true;
    seen.caption = window_text(dialog);
    HWND prompt = GetDlgItem(dialog, ask_text_prompt_id);
    seen.has_prompt = prompt != nullptr;
    seen.has_frame = GetDlgItem(dialog, ask_text_frame_id) != nullptr;
    if (prompt) seen.prompt = window_text(prompt);
    HWND edit = GetDlgItem(dialog, ask_text_edit_id);
    seen.edit_text = window_text(edit);
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selection_start),
                 reinterpret_cast<LPARAM>(&seen.selection_end));
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(window_thread(dialog), &gui);
    seen.edit_focused = gui.hwndFocus == edit;
    seen.edit_style = GetWindowLongA(edit, GWL_STYLE);
    seen.confirm_text = window_text(GetDlgItem(dialog, IDOK));
    seen.cancel_text = window_text(GetDlgItem(dialog, IDCANCEL));
    seen.confirm_is_default = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)) == IDOK;
    seen.client = client_size(dialog);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    seen.font_face = font.lfFaceName;
    seen.font_height = font.lfHeight;

    const Layout& layout = seen.has_prompt ? with_prompt : without_prompt;
    const RECT whole = pixels(dialog, layout.size);
    seen.expected_client = SIZE{whole.right - whole.left, whole.bottom - whole.top};
    if (seen.has_prompt) {
        check_place(dialog, ask_text_frame_id, layout.frame, "frame", seen);
        check_place(dialog, ask_text_prompt_id, layout.prompt, "prompt", seen);
    }
    check_place(dialog, ask_text_edit_id, layout.edit, "edit", seen);
    check_place(dialog, IDOK, layout.confirm, "confirm", seen);
    check_place(dialog, IDCANCEL, layout.cancel, "cancel", seen);
    return seen;
}

struct Outcome {
    SeenDialog seen;
    bool result = false;
    Text variable;
};

// Shows the dialog; the driver reads it, optionally types new text, then
// presses the button (or posts a key when key != 0).
Outcome ask(const Text* prompt, const Text* title, const Text* initial, int mode, int button,
            const char* typed = nullptr, UINT key = 0) {
    Outcome outcome;
    outcome.variable = "unchanged";
    outcome.result = run_modal([&] { return ask_text(prompt, title, initial, outcome.variable, mode); },
                               [&](HWND dialog) {
                                   outcome.seen = read_dialog(dialog);
                                   if (!dialog) return;
                                   if (typed) set_window_text(GetDlgItem(dialog, ask_text_edit_id), typed);
                                   if (key) {
                                       post_key(GetDlgItem(dialog, ask_text_edit_id), key);
                                   } else if (button == WM_CLOSE) {
                                       PostMessageA(dialog, WM_CLOSE, 0, 0);
                                   } else {
                                       press_button(dialog, button);
                                   }
                               });
    return outcome;
}

TEST(AskTextLayout, WithPromptMatchesTheDialogUnitTable) {
    const Text prompt = "请输入程序名称：";
    const Text title = "编译";
    const Outcome o = ask(&prompt, &title, nullptr, 1, IDCANCEL);
    ASSERT_TRUE(o.seen.found);
    EXPECT_EQ(o.seen.caption, "编译");
    EXPECT_TRUE(o.seen.has_frame);
    ASSERT_TRUE(o.seen.has_prompt);
    EXPECT_EQ(o.seen.prompt, prompt.c_str());
    EXPECT_EQ(o.seen.confirm_text, confirm_caption);
    EXPECT_EQ(o.seen.cancel_text, cancel_caption);
    EXPECT_TRUE(o.seen.confirm_is_default);
    EXPECT_EQ(o.seen.font_face, "宋体");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(o.seen.font_height, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(o.seen.client.cx, o.seen.expected_client.cx);
    EXPECT_EQ(o.seen.client.cy, o.seen.expected_client.cy);
    EXPECT_TRUE(o.seen.misplaced.empty()) << "misplaced: " << testing::PrintToString(o.seen.misplaced);
    // Wider than tall, as 252 x 92 dialog units are.
    EXPECT_GT(o.seen.client.cx, o.seen.client.cy);
}

TEST(AskTextLayout, WithoutPromptHasOnlyTheEditField) {
    const Text empty_prompt = "";
    const Text* prompts[] = {nullptr, &empty_prompt};
    for (const Text* prompt : prompts) {
        const Outcome o = ask(prompt, nullptr, nullptr, 1, IDCANCEL);
        ASSERT_TRUE(o.seen.found);
        EXPECT_FALSE(o.seen.has_prompt);
        EXPECT_FALSE(o.seen.has_frame);
        EXPECT_EQ(o.seen.client.cx, o.seen.expected_client.cx);
        EXPECT_EQ(o.seen.client.cy, o.seen.expected_client.cy);
        EXPECT_TRUE(o.seen.misplaced.empty()) << "misplaced: " << testing::PrintToString(o.seen.misplaced);
        EXPECT_EQ(o.seen.confirm_text, confirm_caption);
        EXPECT_EQ(o.seen.cancel_text, cancel_caption);
    }
}

TEST(AskTextCaption, TitleOrDefault) {
    const Text empty = "";
    const Text given = "Hello";
    struct Case {
        const Text* title;
        const char* caption;
    };
    const Case cases[] = {{nullptr, default_caption}, {&empty, default_caption}, {&given, "Hello"}};
    for (const Case& c : cases) {
        const Outcome o = ask(nullptr, c.title, nullptr, 1, IDCANCEL);
        ASSERT_TRUE(o.seen.found);
        EXPECT_EQ(o.seen.caption, c.caption);
    }
}

TEST(AskTextEdit, StartsWithTheInitialTextAllSelectedAndFocused) {
    const Text initial = "默认名称abc";
    const Outcome o = ask(nullptr, nullptr, &initial, 1, IDCANCEL);
    ASSERT_TRUE(o.seen.found);
    EXPECT_EQ(o.seen.edit_text, initial.c_str());
    EXPECT_EQ(o.seen.selection_start, 0u);
    // The edit control counts characters, not bytes.
    EXPECT_EQ(o.seen.selection_end, characters(initial));
    EXPECT_TRUE(o.seen.edit_focused);
    const Outcome empty = ask(nullptr, nullptr, nullptr, 1, IDCANCEL);
    EXPECT_EQ(empty.seen.edit_text, "");
}

TEST(AskTextEdit, OnlyModeFourMasksAndModesAreClamped) {
    struct Case {
        int mode;
        bool masked;
    };
    const Case cases[] = {{-5, false}, {0, false}, {1, false}, {2, false}, {3, false}, {4, true}, {9, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const Outcome o = ask(nullptr, nullptr, nullptr, c.mode, IDCANCEL);
        ASSERT_TRUE(o.seen.found);
        EXPECT_EQ((o.seen.edit_style & ES_PASSWORD) != 0, c.masked);
    }
}

TEST(AskTextAnswer, ConfirmReturnsTheText) {
    const Text initial = "old";
    const Outcome typed = ask(nullptr, nullptr, &initial, 1, IDOK, "新的名字");
    EXPECT_TRUE(typed.result);
    EXPECT_EQ(typed.variable, "新的名字");
    const Outcome untouched = ask(nullptr, nullptr, &initial, 1, IDOK);
    EXPECT_TRUE(untouched.result);
    EXPECT_EQ(untouched.variable, "old");
    const Outcome emptied = ask(nullptr, nullptr, &initial, 1, IDOK, "");
    EXPECT_TRUE(emptied.result);
    EXPECT_EQ(emptied.variable, "");
    const Outcome masked = ask(nullptr, nullptr, nullptr, 4, IDOK, "secret");
    EXPECT_TRUE(masked.result);
    EXPECT_EQ(masked.variable, "secret");
}

TEST(AskTextAnswer, EnterPressesTheDefaultButton) {
    const Outcome o = ask(nullptr, nullptr, nullptr, 1, 0, "by enter", VK_RETURN);
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.variable, "by enter");
}

TEST(AskTextAnswer, CancelEscapeAndCloseKeepTheVariable) {
    const Outcome cancelled = ask(nullptr, nullptr, nullptr, 1, IDCANCEL, "typed");
    EXPECT_FALSE(cancelled.result);
    EXPECT_EQ(cancelled.variable, "unchanged");
    const Outcome escaped = ask(nullptr, nullptr, nullptr, 1, 0, "typed", VK_ESCAPE);
    EXPECT_FALSE(escaped.result);
    EXPECT_EQ(escaped.variable, "unchanged");
    const Outcome closed = ask(nullptr, nullptr, nullptr, 1, WM_CLOSE, "typed");
    EXPECT_FALSE(closed.result);
    EXPECT_EQ(closed.variable, "unchanged");
}

}  // namespace
}  // namespace test
}  // namespace tlq
