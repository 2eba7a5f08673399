// 开始运行 / 终止运行: the script runs on a worker thread from a plain
// temporary file in the temporary folder's tlqscript_debug folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "editor_under_test.h"

namespace tlq::test {
namespace {

const char kTemplate[] =
    "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n"
    "[main]\r\n1=置信息框标题 Hello\r\n2=信息框 Hello World!";

std::string script_of(const std::vector<std::string>& lines) {
    std::string text = "[info]\r\n当前命令数量=" + std::to_string(lines.size()) + "\r\n子程序的名字=main\r\n[main]";
    for (size_t i = 0; i < lines.size(); ++i) text += "\r\n" + std::to_string(i + 1) + "=" + lines[i];
    return text;
}

std::vector<std::string> new_files(const std::vector<std::string>& before) {
    std::vector<std::string> now = debug_files();
    std::vector<std::string> added;
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::back_inserter(added));
    return added;
}

bool idle_menus(EditorUnderTest& editor) {
    return editor.item_enabled("开始运行") && !editor.item_enabled("终止运行");
}

bool running_menus(EditorUnderTest& editor) {
    return !editor.item_enabled("开始运行") && editor.item_enabled("终止运行");
}

// Starts a document with the given text through New and the user's edit.
void open_text(EditorUnderTest& editor, const std::string& text) {
    ASSERT_TRUE(editor.choose("新建"));
    if (text != kTemplate) editor.replace_text_as_user(text);
    ASSERT_EQ(editor.text(), text);
}

TEST(EditorDebugRun, TemplateShowsHelloWorldTitledHelloThenReturnsToIdle) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, kTemplate);
    const std::vector<std::string> before = debug_files();

    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    const MessageBoxInfo info = read_message_box(box);
    EXPECT_EQ(info.text, "Hello World!");
    EXPECT_EQ(info.title, "Hello");
    EXPECT_EQ(info.icon, BoxIcon::none);
    EXPECT_EQ(info.buttons, std::set<int>{IDOK});
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the run's boxes have no owner window";
    EXPECT_NE(window_thread(box), editor.ui_thread());
    EXPECT_TRUE(running_menus(editor));

    const std::vector<std::string> added = new_files(before);
    ASSERT_EQ(added.size(), 1u);
    const std::string& name = added[0];
    ASSERT_GT(name.size(), 7u);
    EXPECT_EQ(name.substr(0, 3), "XDV");
    const int number = std::stoi(name.substr(3, name.size() - 7));
    EXPECT_GE(number, 80000);
    EXPECT_LE(number, 900000);
    EXPECT_EQ(name, "XDV" + std::to_string(number) + ".tmp");
    EXPECT_EQ(read_file(debug_folder() + "\\" + name), kTemplate) << "plain text, not sealed";

    ASSERT_TRUE(answer_message_box(box, IDOK));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor); }));
    EXPECT_TRUE(wait_for([&] { return !file_exists(debug_folder() + "\\" + name); }));
    EXPECT_TRUE(editor.run_boxes().empty());
    EXPECT_TRUE(file_exists(debug_folder())) << "the debug folder stays";
}

TEST(EditorDebugRun, StopWhileABoxIsOpenEndsTheRunAtOnce) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, script_of({"信息框 first", "信息框 second", "信息框 third"}));
    const std::vector<std::string> before = debug_files();
    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(read_message_box(box).text, "first");
    ASSERT_EQ(new_files(before).size(), 1u);

    ASSERT_TRUE(editor.choose("终止运行"));
    EXPECT_TRUE(wait_until_gone(box));
    EXPECT_TRUE(idle_menus(editor));
    EXPECT_TRUE(new_files(before).empty()) << "the run's file is removed";
    // The worker has ended: no later line shows a box.
    ASSERT_TRUE(editor.settle());
    EXPECT_TRUE(editor.run_boxes().empty());
}

// The message title lives as long as the editor: a run without a title line
// uses the title of an earlier run; an empty title line brings back "信息：".
TEST(EditorDebugRun, MessageTitleIsKeptFromRunToRun) {
    struct Run {
        std::vector<std::string> lines;
        std::vector<std::pair<std::string, std::string>> boxes;  // title, text
        bool stop_at_first_box;
    };
    const Run runs[] = {
        {{"信息框 before any title"}, {{"信息：", "before any title"}}, false},
        {{"置信息框标题 Kept", "信息框 one"}, {{"Kept", "one"}}, false},
        {{"信息框 two", "信息框 three"}, {{"Kept", "two"}, {"Kept", "three"}}, false},
        {{"置信息框标题 Stopped", "信息框 four", "信息框 never"}, {{"Stopped", "four"}}, true},
        {{"信息框 five"}, {{"Stopped", "five"}}, false},
        {{"置信息框标题", "信息框 six"}, {{"信息：", "six"}}, false},
    };
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    for (size_t r = 0; r < sizeof runs / sizeof runs[0]; ++r) {
        SCOPED_TRACE(testing::Message() << "run " << r + 1);
        editor.replace_text_as_user(script_of(runs[r].lines));
        ASSERT_TRUE(editor.choose("开始运行"));
        for (const auto& expected : runs[r].boxes) {
            HWND box = editor.wait_for_run_box();
            ASSERT_NE(box, nullptr);
            const MessageBoxInfo info = read_message_box(box);
            EXPECT_EQ(info.title, expected.first);
            EXPECT_EQ(info.text, expected.second);
            if (runs[r].stop_at_first_box) {
                ASSERT_TRUE(editor.choose("终止运行"));
                ASSERT_TRUE(wait_until_gone(box));
            } else {
                ASSERT_TRUE(answer_message_box(box, IDOK));
            }
        }
        ASSERT_TRUE(wait_for([&] { return idle_menus(editor); }));
    }
}

// While a run is going, F5 and 开始运行 do nothing; while idle, 终止运行 and
// Ctrl+F5 do nothing.
TEST(EditorDebugRun, StartDuringARunAndStopWhenIdleDoNothing) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, kTemplate);

    ASSERT_TRUE(editor.choose("终止运行"));
    EXPECT_TRUE(idle_menus(editor));
    ASSERT_TRUE(send_ctrl_key(editor.window(), VK_F5));
    ASSERT_TRUE(editor.settle());
    EXPECT_TRUE(idle_menus(editor));
    EXPECT_TRUE(editor.ui_dialogs().empty());

    const std::vector<std::string> before = debug_files();
    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    editor.post_key(VK_F5);
    ASSERT_TRUE(editor.settle());
    PostMessageA(editor.window(), WM_COMMAND, editor.item("开始运行").id, 0);
    ASSERT_TRUE(editor.settle());
    EXPECT_EQ(editor.run_boxes().size(), 1u);
    EXPECT_EQ(new_files(before).size(), 1u);
    EXPECT_TRUE(running_menus(editor));

    ASSERT_TRUE(answer_message_box(box, IDOK));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor); }));
    EXPECT_TRUE(wait_for([&] { return new_files(before).empty(); }));
}

TEST(EditorDebugRun, EditorStaysUsableWhileARunsBoxIsOpen) {
    ScratchFolder folder("tlqedit_run");
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, kTemplate);
    const std::vector<std::string> before = debug_files();
    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(new_files(before).size(), 1u);
    const std::string run_file = debug_folder() + "\\" + new_files(before)[0];

    EXPECT_TRUE(IsWindowEnabled(editor.window()));
    editor.type("\r\n; typed during the run");
    EXPECT_NE(editor.text(), kTemplate);
    const std::string path = folder / "during.tqspt";
    ASSERT_TRUE(editor.choose_with_file("另存为", path));
    std::string saved;
    ASSERT_TRUE(unseal_script(read_file(path), saved));
    EXPECT_EQ(saved, editor.text());
    ASSERT_TRUE(editor.choose_with_file("打开", path));
    EXPECT_EQ(editor.text(), saved);

    // The run reads only its own file, which the edits did not touch.
    EXPECT_EQ(read_file(run_file), kTemplate);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_TRUE(running_menus(editor));
    ASSERT_TRUE(answer_message_box(box, IDOK));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor) && !file_exists(run_file); }));
}

TEST(EditorDebugRun, StartWithoutADocumentShowsNothingAndReturnsToIdle) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_FALSE(editor.edit_box_enabled());
    const std::vector<std::string> before = debug_files();
    ASSERT_TRUE(editor.choose("开始运行"));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor); }));
    ASSERT_TRUE(editor.settle());
    EXPECT_TRUE(editor.all_dialogs().empty());
    EXPECT_TRUE(wait_for([&] { return new_files(before).empty(); }));
    EXPECT_TRUE(file_exists(debug_folder()));
}

// A run removes only its own file: a run stopped while its end was near
// cannot take the next run's file with it.
TEST(EditorDebugRun, EachRunKeepsAndRemovesOnlyItsOwnFile) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, script_of({"信息框 run"}));
    const std::vector<std::string> before = debug_files();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(editor.choose("开始运行"));
        HWND box = editor.wait_for_run_box();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(editor.choose("终止运行"));
        ASSERT_TRUE(wait_until_gone(box));
    }
    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    const std::vector<std::string> during = new_files(before);
    ASSERT_EQ(during.size(), 1u);
    ASSERT_TRUE(editor.settle());
    EXPECT_TRUE(file_exists(debug_folder() + "\\" + during[0]));
    ASSERT_TRUE(answer_message_box(box, IDOK));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor) && new_files(before).empty(); }));
}

// Compile during a run uses a temporary copy of its own: the run goes on
// with its file and script and, at its end, removes that file only.
TEST(EditorDebugRun, CompileDuringARunLeavesTheRunAlone) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    open_text(editor, kTemplate);
    const std::vector<std::string> before = debug_files();
    ASSERT_TRUE(editor.choose("开始运行"));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    const std::vector<std::string> run_files = new_files(before);
    ASSERT_EQ(run_files.size(), 1u);
    const std::string run_file = debug_folder() + "\\" + run_files[0];

    editor.replace_text_as_user(script_of({"信息框 compiled"}));
    ASSERT_TRUE(editor.choose("编译项目"));
    HWND prompt = editor.wait_for_ui_dialog();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(window_text(prompt), "Taliq Script");
    ASSERT_TRUE(answer_message_box(prompt, IDCANCEL));
    ASSERT_TRUE(editor.settle());

    EXPECT_EQ(read_file(run_file), kTemplate) << "the run's file is untouched";
    EXPECT_TRUE(running_menus(editor));
    ASSERT_TRUE(answer_message_box(box, IDOK));
    EXPECT_TRUE(wait_for([&] { return idle_menus(editor); }));
    EXPECT_FALSE(file_exists(run_file));
    EXPECT_TRUE(editor.run_boxes().empty()) << "the run did not go on with Compile's script";
    EXPECT_TRUE(new_files(before).empty());
}

}  // namespace
}  // namespace tlq::test
