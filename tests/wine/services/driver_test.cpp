// The test driver against a box shown by another process, the way the
// program tests use it.
#include <gtest/gtest.h>

#include "driver.h"

namespace tlq {
namespace test {
namespace {

std::string helper_box(const std::string& out, unsigned style, const std::string& text) {
    return quoted(own_directory() + "\\tlq_service_helper.exe") + " box " + quoted(out) + " " +
           std::to_string(style) + " " + quoted(text);
}

TEST(DriverOtherProcess, ReadsAndAnswersAnotherProcessesBox) {
    struct Case {
        unsigned style;
        BoxIcon icon;
        std::set<int> buttons;
        int press;
        const char* answer;
    };
    const Case cases[] = {
        {0, BoxIcon::none, {IDOK}, IDOK, "0"},
        {16, BoxIcon::error, {IDOK}, IDOK, "0"},
        {33, BoxIcon::question, {IDOK, IDCANCEL}, IDCANCEL, "1"},
        {49, BoxIcon::warning, {IDOK, IDCANCEL}, IDOK, "0"},
        {64 | MB_YESNO, BoxIcon::information, {IDYES, IDNO}, IDNO, "6"},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const std::string out = folder / "answer.txt";
        DeleteFileA(out.c_str());
        RunningProgram helper = start_program(helper_box(out, c.style, "另一个进程"));
        ASSERT_TRUE(helper.started());
        HWND box = wait_for_dialog(helper.pid(), 10000);
        ASSERT_NE(box, nullptr);
        const MessageBoxInfo info = read_message_box(box);
        EXPECT_EQ(info.title, "信息：");
        EXPECT_EQ(info.text, "另一个进程");
        EXPECT_STREQ(icon_name(info.icon), icon_name(c.icon));
        EXPECT_EQ(info.buttons, c.buttons);
        EXPECT_TRUE(answer_message_box(box, c.press));
        EXPECT_TRUE(helper.wait_for_exit(5000));
        EXPECT_EQ(read_file(out), c.answer);
    }
}

TEST(DriverOtherProcess, FindsWindowsByProcessClassAndTitle) {
    RunningProgram helper = start_program(quoted(own_directory() + "\\tlq_service_helper.exe") +
                                          " window 驱动测试窗口 30000");
    ASSERT_TRUE(helper.started());
    HWND window = wait_for_window(helper.pid(), "TlqServiceHelper", "驱动测试窗口");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window_process(window), helper.pid());
    EXPECT_EQ(window_text(window), "驱动测试窗口");
    EXPECT_EQ(find_window(helper.pid(), "TlqServiceHelper", "other"), nullptr);
    EXPECT_EQ(find_window(helper.pid(), "OtherClass", nullptr), nullptr);
    EXPECT_EQ(top_level_windows(helper.pid()).size(), 1u);
    const RECT rect = window_rect(window);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_TRUE(set_window_text(window, "新标题"));
    EXPECT_EQ(window_text(window), "新标题");
    const DWORD pid = helper.pid();
    helper.terminate();
    EXPECT_FALSE(process_running(pid));
}

TEST(DriverOtherProcess, StartProgramTellsWhyAProgramCannotStart) {
    const RunningProgram missing = start_program(quoted(own_directory() + "\\no_such_helper.exe"));
    EXPECT_FALSE(missing.started());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace test
}  // namespace tlq
