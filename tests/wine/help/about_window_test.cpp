// The About window driven like a user: opened from the editor's menu, its
// labels clicked and double-clicked, the secret code typed, closed and
// opened again.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "editor_under_test.h"
#include "menu_ids.h"

namespace tlq {
namespace test {
namespace {

const char about_title[] = "关于 - TlqScript";
const char hidden_information[] = "点击这里查看隐藏信息";
const char prompt_title[] = "secret code";
const int prompt_text_id = 1001;
const int prompt_edit_id = 1002;

const char* const stage_captions[] = {
    "别点了别点了", "如果你这样点我", "我会很痛的你知不知道", "别点了", "别点了!!!!!!", "求你别点了啊",
    "55555555", "你点不到我", "666这个入是刮", "这次你点不到我了吧", "不是哥们，这都能做到",
    "你手速这么快的吗", "别按我了吧,plz", "还按!?!?", "不是你什么意思啊", "再按我就把窗口关掉!",
    "你觉得我敢关吗？", "关了就重置了啊", "因为我善，所以不关", "我可以让窗口组件消失", "就像这样",
    "很NB，对吧", "但是我并不知道这有什么用", "我可以打开你的相机", "这不是zai骗人，真的可以开",
    "我要开了！", "3", "2", "1", "开了!!", "END", "你发现了程序的彩蛋", "这是我故意做的",
    "但是代码实在是太多了QAQ", "结束力！（喜）", ""};

struct AboutControls {
    HWND window = nullptr;
    HWND picture = nullptr;
    HWND version_label = nullptr;
    HWND home_label = nullptr;
    HWND home_link = nullptr;
    HWND mail_label = nullptr;
    HWND mail_link = nullptr;
    HWND notice_box = nullptr;
    HWND hidden_info_label = nullptr;
    HWND stage_label = nullptr;
    HWND ok_button = nullptr;

    std::vector<HWND> seven_that_hide() const
    {
        return {notice_box, home_label, mail_label, version_label, picture, home_link, mail_link};
    }
};

struct Slot {
    HWND AboutControls::*control;
    const char* name;
    int left, top, width, height;
};

// The layout of the window: every control at its place with its size.
const Slot layout[] = {
    {&AboutControls::picture, "图片框1", 24, 8, 128, 128},
    {&AboutControls::version_label, "标签3", 256, 8, 120, 24},
    {&AboutControls::home_label, "标签1", 176, 48, 32, 24},
    {&AboutControls::home_link, "超级链接框1", 214, 48, 160, 24},
    {&AboutControls::mail_label, "标签2", 176, 80, 32, 24},
    {&AboutControls::mail_link, "超级链接框2", 208, 80, 112, 24},
    {&AboutControls::notice_box, "编辑框1", 24, 144, 368, 128},
    {&AboutControls::hidden_info_label, "标签5", 24, 272, 136, 32},
    {&AboutControls::stage_label, "标签4", 32, 272, 216, 32},
    {&AboutControls::ok_button, "按钮1", 336, 272, 56, 32},
};

// Each control is found by the place the window puts it at.
AboutControls find_controls(HWND window)
{
    AboutControls found;
    found.window = window;
    for (HWND child : child_windows(window)) {
        if (GetParent(child) != window) continue;
        const POINT at = position(child);
        for (const Slot& slot : layout)
            if (at.x == slot.left && at.y == slot.top) found.*slot.control = child;
    }
    return found;
}

bool is_at(HWND control, int left, int top)
{
    const POINT at = position(control);
    return at.x == left && at.y == top;
}

bool lies_above(HWND upper, HWND lower)
{
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == lower) return true;
    return false;
}

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(editor.ready());
        about = open_about();
        ASSERT_NE(about.window, nullptr);
        for (const Slot& slot : layout) {
            ASSERT_NE(about.*slot.control, nullptr) << slot.name;
        }
    }

    AboutControls open_about()
    {
        if (!editor.command(cmd_about)) return AboutControls();
        HWND window = wait_for_window(editor.pid(), nullptr, about_title);
        return window ? find_controls(window) : AboutControls();
    }

    std::vector<HWND> about_windows() const { return top_level_windows(editor.pid(), nullptr, about_title); }

    void close_with_button()
    {
        ASSERT_TRUE(press_button(about.window, IDOK));
        ASSERT_TRUE(wait_until_gone(about.window));
    }

    // F2 as a key press on the window or one of its controls; the prompt that
    // opens, or nullptr.
    HWND open_prompt(HWND where)
    {
        post_key(where, VK_F2);
        return wait_for_window(editor.pid(), "#32770", prompt_title);
    }

    void answer_prompt(HWND prompt, const std::string& typed, int button)
    {
        if (button == IDOK) {
            ASSERT_TRUE(set_window_text(child_by_id(prompt, prompt_edit_id), typed));
        }
        ASSERT_TRUE(press_button(prompt, button));
        ASSERT_TRUE(wait_until_gone(prompt));
        ASSERT_TRUE(sync_with(about.window));
    }

    void next_stage(int count = 1)
    {
        for (int i = 0; i < count; ++i) ASSERT_TRUE(double_click(about.stage_label));
    }

    EditorUnderTest editor;
    AboutControls about;
};

TEST_F(AboutWindow, OpensCentredWithItsControlsAtTheirPlaces)
{
    const RECT outer = window_rect(about.window);
    EXPECT_EQ(outer.right - outer.left, 408);
    EXPECT_EQ(outer.bottom - outer.top, 333);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 408) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 333) / 2);
    const LONG_PTR style = style_of(about.window);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // Modeless: the main window stays usable.
    EXPECT_TRUE(IsWindowEnabled(editor.main_window()));

    for (const Slot& slot : layout) {
        SCOPED_TRACE(slot.name);
        const RECT at = placement(about.*slot.control);
        EXPECT_EQ(at.right - at.left, slot.width);
        EXPECT_EQ(at.bottom - at.top, slot.height);
        EXPECT_TRUE(IsWindowVisible(about.*slot.control));
    }

    EXPECT_EQ(window_text(about.version_label), "版本: 1.4");
    EXPECT_EQ(window_text(about.home_label), "主页:");
    EXPECT_EQ(window_text(about.mail_label), "邮箱:");
    EXPECT_EQ(window_text(about.hidden_info_label), hidden_information);
    EXPECT_EQ(window_text(about.ok_button), "确定");
    EXPECT_EQ(window_text(about.home_link).rfind("https://", 0), 0u);
    EXPECT_NE(window_text(about.mail_link).find('@'), std::string::npos);
    EXPECT_FALSE(window_text(about.stage_label).empty());

    const std::string notice = window_text(about.notice_box);
    const size_t gap = notice.find("\r\n\r\n");
    ASSERT_NE(gap, std::string::npos);
    EXPECT_GT(gap, 0u);
    EXPECT_GT(notice.size(), gap + 4);
    EXPECT_EQ(notice.find("\r\n\r\n", gap + 4), std::string::npos);  // two paragraphs
    const LONG_PTR notice_style = style_of(about.notice_box);
    for (LONG_PTR bit : {LONG_PTR(ES_MULTILINE), LONG_PTR(ES_READONLY), LONG_PTR(WS_VSCROLL), LONG_PTR(WS_TABSTOP)})
        EXPECT_TRUE(notice_style & bit) << std::hex << bit;
    EXPECT_FALSE(notice_style & ES_AUTOHSCROLL);  // words wrap

    EXPECT_EQ(style_of(about.picture) & SS_TYPEMASK, SS_BITMAP);
    DWORD_PTR image = 0;
    SendMessageTimeoutA(about.picture, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL, 5000, &image);
    EXPECT_NE(image, 0u);

    // The hidden-information label lies on the stage label.
    EXPECT_TRUE(lies_above(about.hidden_info_label, about.stage_label));
}

TEST_F(AboutWindow, ChoosingItAgainKeepsOneWindowAndRestoresIt)
{
    ASSERT_TRUE(editor.command(cmd_about));
    EXPECT_EQ(about_windows(), std::vector<HWND>{about.window});

    ShowWindow(about.window, SW_MINIMIZE);
    ASSERT_TRUE(wait_for([&] { return IsIconic(about.window) != FALSE; }));
    ASSERT_TRUE(editor.command(cmd_about));
    EXPECT_TRUE(wait_for([&] { return !IsIconic(about.window); }));
    EXPECT_EQ(about_windows(), std::vector<HWND>{about.window});
}

TEST_F(AboutWindow, TenPressesCountDownAndHideTheLabel)
{
    for (int left = 9; left >= 1; --left) {
        ASSERT_TRUE(press(about.hidden_info_label));
        EXPECT_EQ(window_text(about.hidden_info_label), "还剩" + std::to_string(left) + "次即可查看");
        EXPECT_TRUE(IsWindowVisible(about.hidden_info_label));
    }
    // The tenth press counts down to 0 and hides the label.
    ASSERT_TRUE(press(about.hidden_info_label));
    EXPECT_FALSE(IsWindowVisible(about.hidden_info_label));
    EXPECT_EQ(window_text(about.hidden_info_label), "还剩0次即可查看");
    // Further presses keep it hidden, at 0, and the stage label untouched.
    const std::string notice = window_text(about.stage_label);
    ASSERT_TRUE(press(about.hidden_info_label));
    EXPECT_FALSE(IsWindowVisible(about.hidden_info_label));
    EXPECT_EQ(window_text(about.hidden_info_label), "还剩0次即可查看");
    EXPECT_EQ(window_text(about.stage_label), notice);
}

TEST_F(AboutWindow, EveryDoubleClickCountsTwice)
{
    for (int left = 8; left >= 2; left -= 2) {
        ASSERT_TRUE(double_click(about.hidden_info_label));
        EXPECT_EQ(window_text(about.hidden_info_label), "还剩" + std::to_string(left) + "次即可查看");
    }
    ASSERT_TRUE(double_click(about.hidden_info_label));
    EXPECT_FALSE(IsWindowVisible(about.hidden_info_label));
}

TEST_F(AboutWindow, SecretCodeAcceptedCancelledAndWrong)
{
    const std::string notice = window_text(about.stage_label);

    // No code yet: the prompt starts empty, and Cancel changes nothing.
    HWND prompt = open_prompt(about.window);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(window_text(child_by_id(prompt, prompt_text_id)), "Type the secret code");
    EXPECT_EQ(window_text(child_by_id(prompt, prompt_edit_id)), "");
    answer_prompt(prompt, "", IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(about.hidden_info_label));
    EXPECT_EQ(window_text(about.stage_label), notice);

    // F2 in the notice box; the right code hides the label and moves on a stage.
    prompt = open_prompt(about.notice_box);
    ASSERT_NE(prompt, nullptr);
    answer_prompt(prompt, "purplefox_walk", IDOK);
    EXPECT_FALSE(IsWindowVisible(about.hidden_info_label));
    EXPECT_EQ(window_text(about.stage_label), stage_captions[0]);

    // F2 on the button; Cancel keeps the accepted code, so it counts again.
    prompt = open_prompt(about.ok_button);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(window_text(child_by_id(prompt, prompt_edit_id)), "purplefox_walk");
    answer_prompt(prompt, "", IDCANCEL);
    EXPECT_EQ(window_text(about.stage_label), stage_captions[1]);

    // Letter case matters.
    for (const char* wrong : {"PurpleFox_walk", "purplefox_walk ", ""}) {
        SCOPED_TRACE(wrong);
        prompt = open_prompt(about.window);
        ASSERT_NE(prompt, nullptr);
        answer_prompt(prompt, wrong, IDOK);
        EXPECT_EQ(window_text(about.stage_label), stage_captions[1]);
    }

    // The code outlives the window.
    prompt = open_prompt(about.window);
    ASSERT_NE(prompt, nullptr);
    answer_prompt(prompt, "PurpleFox_walk", IDOK);
    close_with_button();
    about = open_about();
    ASSERT_NE(about.window, nullptr);
    prompt = open_prompt(about.window);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(window_text(child_by_id(prompt, prompt_edit_id)), "PurpleFox_walk");
    answer_prompt(prompt, "", IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(about.hidden_info_label));
}

TEST_F(AboutWindow, FlatStyleReachesOldAndNewControls)
{
    // The button existed before the switch; the prompt is made after it.
    EXPECT_TRUE(style_of(about.ok_button) & BS_FLAT);
    HWND prompt = open_prompt(about.window);
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(style_of(child_by_id(prompt, IDOK)) & BS_FLAT);
    EXPECT_TRUE(style_of(child_by_id(prompt, IDCANCEL)) & BS_FLAT);
    HWND edit = child_by_id(prompt, prompt_edit_id);
    EXPECT_FALSE(extended_style_of(edit) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(style_of(edit) & WS_BORDER);
    answer_prompt(prompt, "", IDCANCEL);
}

class NewProcesses {
public:
    explicit NewProcesses(const char* name) : name_(name)
    {
        const std::vector<DWORD> now = processes_named(name_);
        before_.insert(now.begin(), now.end());
    }
    std::vector<DWORD> started() const
    {
        std::vector<DWORD> fresh;
        for (DWORD pid : processes_named(name_))
            if (!before_.count(pid)) fresh.push_back(pid);
        return fresh;
    }
    void end_them() const
    {
        for (DWORD pid : started()) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
            if (process) TerminateProcess(process, 1);
            if (process) CloseHandle(process);
        }
    }

private:
    std::string name_;
    std::set<DWORD> before_;
};

TEST_F(AboutWindow, DoubleClicksWalkThroughEveryStage)
{
    const NewProcesses explorers("explorer.exe");
    for (int c = 0; c < 36; ++c) {
        SCOPED_TRACE("double click " + std::to_string(c + 1));
        next_stage();
        EXPECT_EQ(window_text(about.stage_label), stage_captions[c]);
        EXPECT_TRUE(IsWindowVisible(about.stage_label));
        EXPECT_TRUE(IsWindowVisible(about.ok_button));
        EXPECT_TRUE(IsWindowVisible(about.hidden_info_label));

        switch (c) {
        case 7:  // the label slides along its row
            EXPECT_TRUE(wait_for([&] { return !is_at(about.stage_label, 32, 272); }, 5000));
            for (int tick = 0; tick < 5; ++tick) {
                const POINT at = position(about.stage_label);
                EXPECT_GE(at.x, 0);
                EXPECT_LE(at.x, 408);
                EXPECT_EQ(at.y, 272);
                Sleep(60);
            }
            break;
        case 8:
        case 10:  // stopped, and back at its place for good
            EXPECT_TRUE(is_at(about.stage_label, 32, 272));
            Sleep(800);
            EXPECT_TRUE(is_at(about.stage_label, 32, 272));
            break;
        case 9:  // the label jumps anywhere in the window
            EXPECT_TRUE(wait_for([&] { return !is_at(about.stage_label, 32, 272); }, 5000));
            for (int tick = 0; tick < 5; ++tick) {
                const POINT at = position(about.stage_label);
                EXPECT_GE(at.x, 0);
                EXPECT_LE(at.x, 408 - 50);
                EXPECT_GE(at.y, 0);
                EXPECT_LE(at.y, 333 - 50);
                Sleep(150);
            }
            break;
        case 20:
            for (HWND control : about.seven_that_hide()) EXPECT_FALSE(IsWindowVisible(control));
            break;
        case 21:
            for (HWND control : about.seven_that_hide()) EXPECT_TRUE(IsWindowVisible(control));
            break;
        case 29:  // the camera is asked for through the shell's explorer
            EXPECT_FALSE(explorers.started().empty());
            explorers.end_them();
            break;
        default:
            break;
        }
    }
    // From the 36th double click on the caption stays empty.
    next_stage(3);
    EXPECT_EQ(window_text(about.stage_label), "");
    EXPECT_TRUE(is_at(about.stage_label, 32, 272));
}

TEST_F(AboutWindow, ReopeningStartsAgain)
{
    const std::string notice = window_text(about.stage_label);
    next_stage(8);  // the sliding timer runs
    ASSERT_TRUE(press(about.hidden_info_label));
    ASSERT_TRUE(press(about.hidden_info_label));

    // The close box closes it like the button does.
    PostMessageA(about.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(wait_until_gone(about.window));
    EXPECT_TRUE(about_windows().empty());

    about = open_about();
    ASSERT_NE(about.window, nullptr);
    ASSERT_NE(about.stage_label, nullptr);
    ASSERT_NE(about.hidden_info_label, nullptr);
    EXPECT_EQ(window_text(about.stage_label), notice);
    EXPECT_EQ(window_text(about.hidden_info_label), hidden_information);
    Sleep(400);
    EXPECT_TRUE(is_at(about.stage_label, 32, 272));  // no timer left running
    ASSERT_TRUE(press(about.hidden_info_label));
    EXPECT_EQ(window_text(about.hidden_info_label), "还剩9次即可查看");
    next_stage();
    EXPECT_EQ(window_text(about.stage_label), stage_captions[0]);

    close_with_button();
    EXPECT_TRUE(about_windows().empty());
    EXPECT_TRUE(IsWindow(editor.main_window()));
}

}  // namespace
}  // namespace test
}  // namespace tlq
