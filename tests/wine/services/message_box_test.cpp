// show_message and show_message_plain through real message boxes.
#include <gtest/gtest.h>

#include "modal.h"
#include "win/message_box.h"

namespace tlq {
namespace test {
namespace {

const char default_title[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
const char plain_default_title[] = "\xD0\xC5\xCF\xA2";    // 信息

struct ShownBox {
    MessageBoxInfo info;
    LONG extended_style = 0;
    bool other_window_enabled = true;
    int answer = -1;
};

// A visible top-level window on this thread shows whether the box is task
// modal: a task-modal box without owner disables the thread's windows.
class ThreadWindow {
public:
    ThreadWindow()
        : window_(CreateWindowA("STATIC", "tlq other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120, 80,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~ThreadWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

template <typename Show>
ShownBox show_and_answer(Show show, int button) {
    ThreadWindow other;
    ShownBox shown;
    shown.answer = run_modal(show, [&](HWND box) {
        if (!box) return;
        shown.info = read_message_box(box);
        shown.extended_style = GetWindowLongA(box, GWL_EXSTYLE);
        shown.other_window_enabled = IsWindowEnabled(other.get()) != FALSE;
        press_button(box, button);
    });
    return shown;
}

TEST(MessageBoxTitle, AbsentTitleShowsDefaultWithFullWidthColon) {
    const ShownBox shown = show_and_answer([] { return show_message("hello", 0); }, IDOK);
    ASSERT_NE(shown.info.window, nullptr);
    EXPECT_EQ(shown.info.title, default_title);
    EXPECT_EQ(shown.info.text, "hello");
}

TEST(MessageBoxTitle, ExplicitTitlesAreUsedUnchanged) {
    const Text titles[] = {"", "Hello", "置信息框标题"};
    for (const Text& title : titles) {
        const ShownBox shown = show_and_answer([&] { return show_message("body", 0, &title); }, IDOK);
        ASSERT_NE(shown.info.window, nullptr);
        EXPECT_EQ(shown.info.title, title.c_str());
    }
}

TEST(MessageBoxTitle, PlainVariantDefaultsToTitleWithoutColon) {
    const ShownBox shown = show_and_answer([] { return show_message_plain("x", 0); }, IDOK);
    ASSERT_NE(shown.info.window, nullptr);
    EXPECT_EQ(shown.info.title, plain_default_title);
    const Text given = "Hello";
    const ShownBox titled = show_and_answer([&] { return show_message_plain("x", 0, &given); }, IDOK);
    EXPECT_EQ(titled.info.title, "Hello");
}

TEST(MessageBoxStyle, TheStylesTheSystemUsesShowTheirIconAndButtons) {
    struct Case {
        unsigned style;
        BoxIcon icon;
        std::set<int> buttons;
    };
    const Case cases[] = {
        {0, BoxIcon::none, {IDOK}},
        {16, BoxIcon::error, {IDOK}},
        {33, BoxIcon::question, {IDOK, IDCANCEL}},
        {49, BoxIcon::warning, {IDOK, IDCANCEL}},
        {64, BoxIcon::information, {IDOK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const ShownBox shown = show_and_answer([&] { return show_message("styled", c.style); }, IDOK);
        ASSERT_NE(shown.info.window, nullptr);
        EXPECT_STREQ(icon_name(shown.info.icon), icon_name(c.icon));
        EXPECT_EQ(shown.info.buttons, c.buttons);
        EXPECT_EQ(shown.answer, answer_ok);
    }
}

TEST(MessageBoxStyle, TaskModalUnlessSystemModal) {
    const ShownBox task = show_and_answer([] { return show_message("task", 0); }, IDOK);
    ASSERT_NE(task.info.window, nullptr);
    EXPECT_FALSE(task.other_window_enabled) << "the task-modal bit was not added";
    EXPECT_EQ(task.extended_style & WS_EX_TOPMOST, 0);

    const ShownBox system = show_and_answer([] { return show_message("system", MB_SYSTEMMODAL); }, IDOK);
    ASSERT_NE(system.info.window, nullptr);
    EXPECT_TRUE(system.other_window_enabled) << "a system-modal box must not get the task-modal bit";
    EXPECT_NE(system.extended_style & WS_EX_TOPMOST, 0);
}

TEST(MessageBoxStyle, PlainVariantPassesTheFlagsUnchanged) {
    const ShownBox shown = show_and_answer([] { return show_message_plain("plain", 0); }, IDOK);
    ASSERT_NE(shown.info.window, nullptr);
    EXPECT_TRUE(shown.other_window_enabled);
}

TEST(MessageBoxStyle, OwnerIsPassedOn) {
    ThreadWindow owner;
    HWND seen_owner = nullptr;
    run_modal([&] { return show_message("owned", 0, nullptr, owner.get()); },
              [&](HWND box) {
                  if (!box) return;
                  seen_owner = GetWindow(box, GW_OWNER);
                  press_button(box, IDOK);
              });
    EXPECT_EQ(seen_owner, owner.get());
}

TEST(MessageBoxAnswer, EachButtonGivesItsAnswerNumber) {
    struct Case {
        unsigned style;
        int button;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK, 0},          {MB_OKCANCEL, IDOK, 0},          {MB_OKCANCEL, IDCANCEL, 1},
        {MB_ABORTRETRYIGNORE, IDABORT, 2}, {MB_ABORTRETRYIGNORE, IDRETRY, 3}, {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
        {MB_YESNO, IDYES, 5},      {MB_YESNO, IDNO, 6},             {MB_YESNOCANCEL, IDCANCEL, 1},
        {MB_RETRYCANCEL, IDRETRY, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " button " << c.button);
        const ShownBox shown = show_and_answer([&] { return show_message("answer?", c.style); }, c.button);
        ASSERT_NE(shown.info.window, nullptr);
        EXPECT_EQ(shown.answer, c.answer);
        const ShownBox plain = show_and_answer([&] { return show_message_plain("answer?", c.style); }, c.button);
        EXPECT_EQ(plain.answer, c.answer);
    }
}

TEST(MessageBoxAnswer, EscapeOnOkCancelCountsAsCancel) {
    const int answer = run_modal([] { return show_message("esc", MB_OKCANCEL); },
                                 [](HWND box) {
                                     if (box) post_key(box, VK_ESCAPE);
                                 });
    EXPECT_EQ(answer, answer_cancel);
}

}  // namespace
}  // namespace test
}  // namespace tlq
