// New, Open, Save, Save As and Delete project, driven through the menu.
#include <gtest/gtest.h>

#include "editor_under_test.h"
#include "key_texts.h"
#include "sealed_file.h"

namespace tlq::test {
namespace {

const char kTemplate[] =
    "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n"
    "[main]\r\n1=置信息框标题 Hello\r\n2=信息框 Hello World!";

const char kFirstWarning[] = "WARNING!\r\n执行此操作会导致您的文件永久丢失！\r\n您确定要继续吗？";
const char kSecondWarning[] = "WARNING!\r\n消失后就找不回了！\r\n您确定要继续吗？";

std::string unsealed_file(const std::string& path) {
    std::string text;
    EXPECT_TRUE(unseal_script(read_file(path), text)) << path;
    return text;
}

std::string sealed_with_code_key(const std::string& text) {
    const Bytes sealed = seal(Bytes(text.data(), text.size()), kCodeKey);
    return std::string(sealed.c_str(), sealed.size());
}

MessageBoxInfo wait_for_box(EditorUnderTest& editor) {
    HWND box = editor.wait_for_ui_dialog();
    EXPECT_NE(box, nullptr);
    return box ? read_message_box(box) : MessageBoxInfo();
}

bool answer_dialog(EditorUnderTest& editor, int button) {
    HWND dialog = editor.wait_for_ui_dialog();
    return dialog && answer_message_box(dialog, button) && editor.settle();
}

bool cancel_dialog(EditorUnderTest& editor) { return answer_dialog(editor, IDCANCEL); }

TEST(EditorFileCommands, NewPutsTheTemplateIntoAnEnabledEditBox) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    const std::string text = editor.text();
    EXPECT_EQ(text.size(), 115u);
    EXPECT_EQ(text, kTemplate);
    EXPECT_TRUE(editor.edit_box_enabled());
    EXPECT_TRUE(editor.ui_dialogs().empty()) << "New asks nothing about unchanged text";
}

TEST(EditorFileCommands, SaveAsSealsTheTextAndSaveThenWritesWithoutADialog) {
    ScratchFolder folder("tlqedit_files");
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    editor.replace_text_as_user(std::string(kTemplate) + "\r\n3=信息框 第三行");
    const std::string path = folder / "脚本.tqspt";
    ASSERT_TRUE(editor.choose_with_file("另存为", path));
    ASSERT_TRUE(file_exists(path));
    EXPECT_EQ(unsealed_file(path), editor.text());
    EXPECT_NE(read_file(path), editor.text()) << "stored sealed, not plain";

    editor.type("\r\n; more");
    const std::string changed = editor.text();
    ASSERT_TRUE(editor.choose("保存"));
    EXPECT_TRUE(editor.ui_dialogs().empty()) << "Save after Save As shows no dialog";
    EXPECT_EQ(unsealed_file(path), changed);
    EXPECT_FALSE(file_exists(path + ".tlqnew"));
}

TEST(EditorFileCommands, SaveWithoutAFileAsksForOneAndCancelWritesNothing) {
    ScratchFolder folder("tlqedit_files");
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    ASSERT_TRUE(editor.choose("保存"));
    HWND dialog = editor.wait_for_ui_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetDlgItem(dialog, 0x47C), nullptr);
    ASSERT_TRUE(answer_message_box(dialog, IDCANCEL));
    ASSERT_TRUE(editor.settle());
    EXPECT_TRUE(editor.ui_dialogs().empty());
    EXPECT_EQ(editor.text(), kTemplate);
}

TEST(EditorFileCommands, SaveAsWithoutADocumentWritesZeroBytesThatOpenAsAnEmptyScript) {
    ScratchFolder folder("tlqedit_files");
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    const std::string path = folder / "nothing.tqspt";
    ASSERT_TRUE(editor.choose_with_file("另存为", path));
    ASSERT_TRUE(file_exists(path));
    EXPECT_EQ(read_file(path).size(), 0u);
    EXPECT_FALSE(editor.edit_box_enabled()) << "saving does not open a document";

    ASSERT_TRUE(editor.choose_with_file("打开", path));
    EXPECT_TRUE(editor.ui_dialogs().empty());
    EXPECT_EQ(editor.text(), "");
    EXPECT_TRUE(editor.edit_box_enabled());
}

struct OpenCase {
    const char* description;
    std::string file_content;
    bool accepted;
    const char* shown_text;  // when accepted
};

TEST(EditorFileCommands, OpenShowsSealedScriptsAndRefusesForeignFiles) {
    const OpenCase cases[] = {
        {"sealed script", seal_script(kTemplate), true, kTemplate},
        {"sealed Chinese script", seal_script("[info]\r\n程序名称=你好世界"), true, "[info]\r\n程序名称=你好世界"},
        {"payload with a zero byte ends there", seal_script(std::string("abc\0def", 7)), true, "abc"},
        {"0-byte file", "", true, ""},
        {"plain text, length not a multiple of 8", "not sealed!!!", false, nullptr},
        {"16 bytes that do not unseal", std::string("\x01\x02\x03\x04\x05\x06\x07\x08zyxwvuts", 16), false,
         nullptr},
        {"script sealed with the code key", sealed_with_code_key(kTemplate), false, nullptr},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string& content = c.file_content;
        ScratchFolder folder("tlqedit_open");
        const std::string path = folder / "opened.tqspt";
        ASSERT_TRUE(write_file(path, content));
        for (bool with_document : {false, true}) {
            SCOPED_TRACE(with_document ? "with a document open" : "without a document");
            EditorUnderTest editor;
            ASSERT_TRUE(editor.start());
            if (with_document) {
                ASSERT_TRUE(editor.choose("新建"));
            }
            const std::string before = editor.text();
            ASSERT_TRUE(editor.choose_with_file("打开", path));
            if (c.accepted) {
                EXPECT_TRUE(editor.ui_dialogs().empty());
                EXPECT_EQ(editor.text(), c.shown_text);
                EXPECT_TRUE(editor.edit_box_enabled());
            } else {
                const MessageBoxInfo box = wait_for_box(editor);
                EXPECT_EQ(box.title, "Taliq Script");
                EXPECT_EQ(box.icon, BoxIcon::error);
                EXPECT_EQ(box.buttons, std::set<int>{IDOK});
                EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
                ASSERT_TRUE(answer_message_box(box.window, IDOK));
                ASSERT_TRUE(editor.settle());
                EXPECT_EQ(editor.text(), before);
                EXPECT_EQ(editor.edit_box_enabled(), with_document);
                // Nothing changed: the document still has no file of its own.
                ASSERT_TRUE(editor.choose("删除项目"));
                EXPECT_EQ(wait_for_box(editor).text, "Error: this file is not saved now.");
                ASSERT_TRUE(answer_dialog(editor, IDOK));
            }
            EXPECT_EQ(read_file(path), content) << "Open never writes";
        }
    }
}

TEST(EditorFileCommands, CancellingOpenOrSaveAsChangesNothing) {
    ScratchFolder folder("tlqedit_files");
    const std::string path = folder / "kept.tqspt";
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    ASSERT_TRUE(editor.choose_with_file("另存为", path));
    const std::string saved = read_file(path);

    ASSERT_TRUE(editor.choose("打开"));
    ASSERT_TRUE(cancel_dialog(editor));
    EXPECT_EQ(editor.text(), kTemplate);

    editor.type("; edited");
    ASSERT_TRUE(editor.choose("另存为"));
    ASSERT_TRUE(cancel_dialog(editor));
    EXPECT_EQ(read_file(path), saved);

    // The file accepted before is still the one Save writes.
    ASSERT_TRUE(editor.choose("保存"));
    EXPECT_TRUE(editor.ui_dialogs().empty());
    EXPECT_EQ(unsealed_file(path), editor.text());
}

TEST(EditorFileCommands, SaveAfterOpenAsksForANameThatStartsEmpty) {
    ScratchFolder folder("tlqedit_files");
    const std::string path = folder / "opened.tqspt";
    ASSERT_TRUE(write_file(path, seal_script(kTemplate)));
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose_with_file("打开", path));
    ASSERT_TRUE(editor.choose("保存"));
    HWND dialog = editor.wait_for_ui_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(window_text(GetDlgItem(dialog, 0x47C)), "");
    ASSERT_TRUE(answer_message_box(dialog, IDCANCEL));
}

enum class DeleteSetUp { nothing, open_only, save_as, open_then_save_as };

struct DeleteCase {
    const char* description;
    DeleteSetUp set_up;
    int first_answer;   // 0: no question expected
    int second_answer;  // 0: no second question expected
    bool deletes;
};

TEST(EditorFileCommands, DeleteProjectAsksTwiceAndRemovesTheDocumentsFile) {
    const DeleteCase cases[] = {
        {"no file: only the error box", DeleteSetUp::nothing, 0, 0, false},
        {"opened file, OK twice", DeleteSetUp::open_only, IDOK, IDOK, true},
        {"saved file, OK twice", DeleteSetUp::save_as, IDOK, IDOK, true},
        {"opened then saved elsewhere: the saved file goes", DeleteSetUp::open_then_save_as, IDOK, IDOK, true},
        {"Cancel at the first question", DeleteSetUp::save_as, IDCANCEL, 0, false},
        {"Cancel at the second question", DeleteSetUp::open_only, IDOK, IDCANCEL, false},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.description);
        ScratchFolder folder("tlqedit_delete");
        const std::string opened = folder / "opened.tqspt";
        const std::string saved = folder / "saved.tqspt";
        const std::string opened_content = seal_script("[info]\r\n程序名称=Opened");
        ASSERT_TRUE(write_file(opened, opened_content));

        EditorUnderTest editor;
        ASSERT_TRUE(editor.start());
        std::string target;
        switch (c.set_up) {
        case DeleteSetUp::nothing: ASSERT_TRUE(editor.choose("新建")); break;
        case DeleteSetUp::open_only:
            ASSERT_TRUE(editor.choose_with_file("打开", opened));
            target = opened;
            break;
        case DeleteSetUp::save_as:
            ASSERT_TRUE(editor.choose("新建"));
            ASSERT_TRUE(editor.choose_with_file("另存为", saved));
            target = saved;
            break;
        case DeleteSetUp::open_then_save_as:
            ASSERT_TRUE(editor.choose_with_file("打开", opened));
            ASSERT_TRUE(editor.choose_with_file("另存为", saved));
            target = saved;
            break;
        }
        const std::string text_before = editor.text();
        ASSERT_TRUE(editor.choose("删除项目"));

        if (c.first_answer == 0) {
            const MessageBoxInfo box = wait_for_box(editor);
            EXPECT_EQ(box.text, "Error: this file is not saved now.");
            EXPECT_EQ(box.title, "Taliq Script");
            EXPECT_EQ(box.icon, BoxIcon::none);
            EXPECT_EQ(box.buttons, std::set<int>{IDOK});
            ASSERT_TRUE(answer_message_box(box.window, IDOK));
        } else {
            const char* questions[] = {kFirstWarning, kSecondWarning};
            const int answers[] = {c.first_answer, c.second_answer};
            for (int i = 0; i < 2 && answers[i] != 0; ++i) {
                SCOPED_TRACE(i == 0 ? "first question" : "second question");
                const MessageBoxInfo box = wait_for_box(editor);
                EXPECT_EQ(box.text, questions[i]);
                EXPECT_EQ(box.title, "Taliq Script");
                EXPECT_EQ(box.icon, BoxIcon::warning);
                EXPECT_EQ(box.buttons, (std::set<int>{IDOK, IDCANCEL}));
                ASSERT_TRUE(answer_message_box(box.window, answers[i]));
            }
        }
        ASSERT_TRUE(editor.settle());
        EXPECT_TRUE(editor.ui_dialogs().empty());
        if (!target.empty()) {
            EXPECT_EQ(file_exists(target), !c.deletes) << target;
        }
        if (target != opened) {
            EXPECT_EQ(read_file(opened), opened_content) << "only the document's file goes";
        }
        EXPECT_EQ(editor.text(), c.deletes ? "" : text_before);
        EXPECT_TRUE(editor.edit_box_enabled());

        if (c.deletes && c.set_up != DeleteSetUp::open_only) {
            // Save writes the current (empty) text to the same file again.
            editor.type("x");
            ASSERT_TRUE(editor.choose("保存"));
            EXPECT_TRUE(editor.ui_dialogs().empty());
            EXPECT_EQ(unsealed_file(target), "x");
        }
    }
}

// New forgets the document's file, and an accepted Open forgets the file of
// an earlier Save As: no command reaches a file whose text is not shown.
TEST(EditorFileCommands, NewAndOpenLeaveTheFilesOfTheOldDocumentAlone) {
    ScratchFolder folder("tlqedit_files");
    const std::string first = folder / "first.tqspt";
    const std::string second = folder / "second.tqspt";
    ASSERT_TRUE(write_file(second, seal_script("[info]\r\n程序名称=Second")));

    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.choose("新建"));
    ASSERT_TRUE(editor.choose_with_file("另存为", first));
    const std::string first_content = read_file(first);

    // After New: Delete project has no file, Save asks for one.
    ASSERT_TRUE(editor.choose("新建"));
    ASSERT_TRUE(editor.choose("删除项目"));
    EXPECT_EQ(wait_for_box(editor).text, "Error: this file is not saved now.");
    ASSERT_TRUE(answer_dialog(editor, IDOK));
    ASSERT_TRUE(editor.choose("保存"));
    HWND dialog = editor.wait_for_ui_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetDlgItem(dialog, 0x47C), nullptr) << "the save dialog, not a box";
    ASSERT_TRUE(answer_message_box(dialog, IDCANCEL));
    EXPECT_EQ(read_file(first), first_content);

    // Save As to a third file, then Open second: Save asks, Delete takes second.
    const std::string third = folder / "third.tqspt";
    ASSERT_TRUE(editor.choose_with_file("另存为", third));
    const std::string third_content = read_file(third);
    ASSERT_TRUE(editor.choose_with_file("打开", second));
    editor.type("; edited");
    ASSERT_TRUE(editor.choose("保存"));
    ASSERT_TRUE(cancel_dialog(editor));
    EXPECT_EQ(read_file(third), third_content);
    ASSERT_TRUE(editor.choose("删除项目"));
    for (int i = 0; i < 2; ++i) {
        HWND box = editor.wait_for_ui_dialog();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(answer_message_box(box, IDOK));
    }
    ASSERT_TRUE(editor.settle());
    EXPECT_FALSE(file_exists(second));
    EXPECT_EQ(read_file(first), first_content);
    EXPECT_EQ(read_file(third), third_content);
}

// A save that cannot replace the file says so, naming it, and leaves the old
// file whole.
TEST(EditorFileCommands, FailedSaveKeepsTheOldFileAndNamesIt) {
    enum class Obstacle { new_file_blocked, held_open };
    const Obstacle obstacles[] = {Obstacle::new_file_blocked, Obstacle::held_open};
    for (Obstacle obstacle : obstacles) {
        SCOPED_TRACE(obstacle == Obstacle::new_file_blocked ? "no room for the new file beside it"
                                                           : "file held open");
        ScratchFolder folder("tlqedit_fail");
        const std::string path = folder / "locked.tqspt";
        EditorUnderTest editor;
        ASSERT_TRUE(editor.start());
        ASSERT_TRUE(editor.choose("新建"));
        ASSERT_TRUE(editor.choose_with_file("另存为", path));
        const std::string old_content = read_file(path);

        HANDLE held = INVALID_HANDLE_VALUE;
        if (obstacle == Obstacle::new_file_blocked) {
            // A folder where the new copy would be written.
            ASSERT_TRUE(CreateDirectoryA((path + ".tlqnew").c_str(), nullptr));
        } else {
            held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        editor.type("; lost?");
        ASSERT_TRUE(editor.choose("保存"));
        const MessageBoxInfo box = wait_for_box(editor);
        EXPECT_EQ(box.title, "Taliq Script");
        EXPECT_EQ(box.icon, BoxIcon::error);
        EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
        ASSERT_TRUE(answer_message_box(box.window, IDOK));
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(read_file(path), old_content);
        if (obstacle == Obstacle::held_open) {
            EXPECT_FALSE(file_exists(path + ".tlqnew")) << "the new copy is cleaned up";
        }

        // The text is still unsaved: closing asks about it.
        ASSERT_TRUE(editor.settle());
        editor.ask_to_close();
        HWND question = editor.wait_for_ui_dialog();
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(read_message_box(question).buttons, (std::set<int>{IDYES, IDNO, IDCANCEL}));
        ASSERT_TRUE(answer_message_box(question, IDNO));
        EXPECT_TRUE(editor.program().wait_for_exit(5000));
    }
}

}  // namespace
}  // namespace tlq::test
