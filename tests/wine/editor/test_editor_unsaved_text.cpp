// Text changed since it was created, opened or saved is never lost without
// a question: closing the window, New and Open ask first.
#include <gtest/gtest.h>

#include "editor_under_test.h"

namespace tlq::test {
namespace {

const char kTemplate[] =
    "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n"
    "[main]\r\n1=置信息框标题 Hello\r\n2=信息框 Hello World!";

enum class Trigger { close_window, new_script, open_script };

const char* trigger_name(Trigger t) {
    switch (t) {
    case Trigger::close_window: return "close";
    case Trigger::new_script: return "New";
    default: return "Open";
    }
}

std::string unsealed_file(const std::string& path) {
    std::string text;
    EXPECT_TRUE(unseal_script(read_file(path), text)) << path;
    return text;
}

void pull(EditorUnderTest& editor, Trigger trigger) {
    switch (trigger) {
    case Trigger::close_window: editor.ask_to_close(); break;
    case Trigger::new_script: editor.choose("新建"); break;
    case Trigger::open_script: editor.choose("打开"); break;
    }
}

// Checks that the trigger went ahead: the window closed, the template is
// shown, or the open dialog came and opened `other`.
void expect_trigger_done(EditorUnderTest& editor, Trigger trigger, const std::string& other) {
    switch (trigger) {
    case Trigger::close_window: {
        DWORD code = 1;
        EXPECT_TRUE(editor.program().wait_for_exit(5000, &code));
        EXPECT_EQ(code, 0u);
        break;
    }
    case Trigger::new_script:
        EXPECT_TRUE(editor.ui_dialogs().empty());
        EXPECT_EQ(editor.text(), kTemplate);
        break;
    case Trigger::open_script: {
        HWND dialog = editor.wait_for_ui_dialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(GetDlgItem(dialog, 0x47C), nullptr) << "the open dialog";
        ASSERT_TRUE(fill_file_dialog(dialog, other));
        ASSERT_TRUE(wait_until_gone(dialog));
        ASSERT_TRUE(editor.settle());
        EXPECT_EQ(editor.text(), "[info]\r\n程序名称=Other");
        break;
    }
    }
}

struct AnswerCase {
    int answer;            // 0: no question expected (text unchanged)
    bool saves;            // the document's file holds the edited text afterwards
    bool trigger_goes_on;
};

TEST(EditorUnsavedText, CloseNewAndOpenAskBeforeChangedTextIsLost) {
    const AnswerCase answers[] = {
        {IDYES, true, true},
        {IDNO, false, true},
        {IDCANCEL, false, false},
        {0, false, true},
    };
    for (Trigger trigger : {Trigger::close_window, Trigger::new_script, Trigger::open_script}) {
        for (const AnswerCase& a : answers) {
            SCOPED_TRACE(testing::Message() << trigger_name(trigger) << ", answer " << a.answer);
            ScratchFolder folder("tlqedit_unsaved");
            const std::string path = folder / "doc.tqspt";
            const std::string other = folder / "other.tqspt";
            ASSERT_TRUE(write_file(other, seal_script("[info]\r\n程序名称=Other")));

            EditorUnderTest editor;
            ASSERT_TRUE(editor.start());
            ASSERT_TRUE(editor.choose("新建"));
            ASSERT_TRUE(editor.choose_with_file("另存为", path));
            const std::string saved = read_file(path);
            if (a.answer != 0) editor.type("; changed");
            const std::string edited = editor.text();

            pull(editor, trigger);
            if (a.answer != 0) {
                HWND box = editor.wait_for_ui_dialog();
                ASSERT_NE(box, nullptr);
                const MessageBoxInfo question = read_message_box(box);
                EXPECT_EQ(question.title, "Taliq Script");
                EXPECT_EQ(question.icon, BoxIcon::question);
                EXPECT_EQ(question.buttons, (std::set<int>{IDYES, IDNO, IDCANCEL}));
                EXPECT_FALSE(question.text.empty());
                ASSERT_TRUE(answer_message_box(box, a.answer));
                if (trigger != Trigger::close_window || !a.trigger_goes_on) {
                    ASSERT_TRUE(editor.settle());
                }
            }
            if (a.saves) {
                EXPECT_EQ(unsealed_file(path), edited);
            } else {
                EXPECT_EQ(read_file(path), saved);
            }
            if (a.trigger_goes_on) {
                expect_trigger_done(editor, trigger, other);
            } else {
                EXPECT_TRUE(editor.program().running());
                EXPECT_TRUE(editor.ui_dialogs().empty());
                EXPECT_EQ(editor.text(), edited);
            }
        }
    }
}

// Yes with no file yet goes through Save As; cancelling that dialog cancels
// the whole command.
TEST(EditorUnsavedText, CancelledSaveAsCancelsTheCommand) {
    for (Trigger trigger : {Trigger::close_window, Trigger::new_script, Trigger::open_script}) {
        SCOPED_TRACE(trigger_name(trigger));
        EditorUnderTest editor;
        ASSERT_TRUE(editor.start());
        ASSERT_TRUE(editor.choose("新建"));
        editor.type("; never saved");
        const std::string edited = editor.text();
        pull(editor, trigger);
        HWND question = editor.wait_for_ui_dialog();
        ASSERT_NE(question, nullptr);
        ASSERT_TRUE(answer_message_box(question, IDYES));
        HWND dialog = editor.wait_for_ui_dialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(GetDlgItem(dialog, 0x47C), nullptr) << "the save dialog";
        ASSERT_TRUE(answer_message_box(dialog, IDCANCEL));
        ASSERT_TRUE(editor.settle());
        EXPECT_TRUE(editor.program().running());
        EXPECT_TRUE(editor.ui_dialogs().empty());
        EXPECT_EQ(editor.text(), edited);
    }
}

// Text the editor itself put there (New, Open, Delete project) is not the
// user's change: nothing is asked.
TEST(EditorUnsavedText, TextTheEditorPutThereAsksNothing) {
    ScratchFolder folder("tlqedit_unsaved");
    const std::string path = folder / "doc.tqspt";
    ASSERT_TRUE(write_file(path, seal_script(kTemplate)));

    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose_with_file("打开", path));
    ASSERT_TRUE(editor.choose("新建"));
    EXPECT_TRUE(editor.ui_dialogs().empty());
    ASSERT_TRUE(editor.choose_with_file("打开", path));
    EXPECT_TRUE(editor.ui_dialogs().empty());
    editor.type("; changed");
    ASSERT_TRUE(editor.choose("删除项目"));
    for (int i = 0; i < 2; ++i) {
        HWND box = editor.wait_for_ui_dialog();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(answer_message_box(box, IDOK));
    }
    ASSERT_TRUE(editor.settle());
    EXPECT_EQ(editor.text(), "");
    editor.ask_to_close();
    DWORD code = 1;
    EXPECT_TRUE(editor.program().wait_for_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tlq::test
