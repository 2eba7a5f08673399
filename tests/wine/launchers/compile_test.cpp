// 编译项目 in the editor: the input box, the question, the code file and the
// named launcher, and the project running on its own afterwards.
#include <gtest/gtest.h>

#include "editor_under_test.h"
#include "key_texts.h"
#include "launcher_test_support.h"
#include "script_template.h"
#include "sealed_file.h"

namespace tlq::test {
namespace {

const char kCompileItem[] = "编译项目";
const char kPrompt[] = "请输入编译后存放文件的目录(末尾不带反斜杠)";
const char kQuestion[] = "要将批处理代码启动器放在同一目录下吗？";

std::string unsealed_code(const std::string& sealed) {
    const Bytes payload = unseal(Bytes(sealed.data(), sealed.size()), kCodeKey);
    return std::string(payload.c_str(), payload.size());
}

class CompileInEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(make_folder(out_));
        debug_before_ = debug_files();
        temp_before_ = temp_script_files(temp_directory());
        ASSERT_TRUE(editor_.start());
    }

    void TearDown() override {
        // Compile removes its own copy as soon as it has read the header.
        EXPECT_EQ(debug_files(), debug_before_);
        EXPECT_EQ(temp_script_files(temp_directory()), temp_before_);
    }

    // New, then (unless empty) the whole text replaced by script.
    void open_new_script(const std::string& script = std::string()) {
        ASSERT_TRUE(editor_.choose("新建"));
        if (!script.empty()) {
            ASSERT_TRUE(set_window_text(editor_.edit_box(), script));
        }
        ASSERT_TRUE(editor_.settle());
    }

    // The input box that Compile opens: checks it and types the folder.
    // confirm false presses Cancel instead of OK.
    void answer_folder_box(const std::string& folder, bool confirm) {
        HWND box = editor_.wait_for_ui_dialog();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(window_text(box), "Taliq Script");
        EXPECT_NE(find_child(box, "Static", kPrompt), nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), editor_.window());
        HWND field = find_child(box, "Edit");
        ASSERT_NE(field, nullptr);
        ASSERT_TRUE(set_window_text(field, folder));
        ASSERT_TRUE(answer_message_box(box, confirm ? IDOK : IDCANCEL));
    }

    // The question whether to write the launcher.
    void answer_question(bool confirm) {
        HWND box = editor_.wait_for_ui_dialog();
        ASSERT_NE(box, nullptr);
        const MessageBoxInfo info = read_message_box(box);
        EXPECT_EQ(info.text, kQuestion);
        EXPECT_EQ(info.title, "信息：");
        EXPECT_EQ(info.icon, BoxIcon::question);
        EXPECT_EQ(info.buttons, (std::set<int>{IDOK, IDCANCEL}));
        ASSERT_TRUE(answer_message_box(box, confirm ? IDOK : IDCANCEL));
    }

    // A box of Compile itself, read and closed with OK.
    Box take_box() {
        HWND box = editor_.wait_for_ui_dialog();
        if (!box) return Box{"(no box)", "", BoxIcon::none};
        const MessageBoxInfo info = read_message_box(box);
        EXPECT_TRUE(answer_message_box(box, IDOK));
        return Box{info.title, info.text, info.icon};
    }

    // Compile has returned and nothing else is open.
    void expect_compile_ended() {
        ASSERT_TRUE(editor_.settle());
        EXPECT_TRUE(editor_.ui_dialogs().empty());
    }

    void compile_with_launcher(const std::string& folder) {
        ASSERT_TRUE(editor_.choose(kCompileItem));
        answer_folder_box(folder, true);
        answer_question(true);
        expect_compile_ended();
    }

    // The written launcher: as long as the image, the name in its field
    // padded with spaces, every other byte unchanged.
    void expect_named_launcher(const std::string& path, const std::string& name) {
        const std::string image = read_file(launchstub_path());
        const std::string written = read_file(path);
        ASSERT_EQ(written.size(), image.size());
        const size_t field = occurrences(image, name_placeholder()).at(0);
        EXPECT_EQ(written.substr(field, 32), name + std::string(32 - name.size(), ' '));
        EXPECT_EQ(written.substr(0, field), image.substr(0, field));
        EXPECT_EQ(written.substr(field + 32), image.substr(field + 32));
    }

    EditorUnderTest editor_;
    ScratchFolder scratch_{"tlqcompile"};
    const std::string out_ = scratch_ / "out dir";
    std::vector<std::string> debug_before_;
    std::vector<std::string> temp_before_;
};

TEST_F(CompileInEditor, TemplateBecomesAProjectThatRunsOnItsOwnFromAFolderWithSpaces) {
    open_new_script();
    ASSERT_TRUE(editor_.choose(kCompileItem));
    answer_folder_box(out_, true);
    answer_question(true);
    expect_compile_ended();
    EXPECT_EQ(unsealed_code(read_file(out_ + "\\HelloWorld.tlqcode")), kScriptTemplate);
    expect_named_launcher(out_ + "\\HelloWorld.exe", "HelloWorld");

    const std::string project = scratch_ / "My Projects";
    ASSERT_TRUE(make_folder(project));
    for (const char* file : {"HelloWorld.exe", "HelloWorld.tlqcode"}) {
        ASSERT_TRUE(copy_file(out_ + "\\" + file, project + "\\" + file));
    }
    const RunResult run = run_answering_boxes(quoted(project + "\\HelloWorld.exe"));
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.boxes, (std::vector<Box>{{"Hello", "Hello World!", BoxIcon::none}}));
}

TEST_F(CompileInEditor, ShortcutF7CompilesLikeTheMenu) {
    open_new_script();
    editor_.post_key(VK_F7);
    answer_folder_box(out_, true);
    answer_question(true);
    expect_compile_ended();
    EXPECT_TRUE(file_exists(out_ + "\\HelloWorld.tlqcode"));
    EXPECT_TRUE(file_exists(out_ + "\\HelloWorld.exe"));
}

TEST_F(CompileInEditor, NameFieldHoldsTheNamePaddedToThirtyTwoBytes) {
    const std::string names[] = {
        "Hello World",                       // a space inside the name
        "ThirtyOneBytesLongProgramName31",   // 31 bytes: one space of padding
        "一二三四五六七八九十甲乙丙丁戊己",  // 32 bytes: no padding
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        open_new_script(script_text(name, {"title:Title", name + " runs"}));
        compile_with_launcher(out_);
        expect_named_launcher(out_ + "\\" + name + ".exe", name);
        const RunResult run = run_answering_boxes(quoted(out_ + "\\" + name + ".exe"));
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.boxes, (std::vector<Box>{{"Title", name + " runs", BoxIcon::none}}));
    }
}

TEST_F(CompileInEditor, NameLongerThanTheFieldGetsTheCodeFileButNoLauncher) {
    const std::string name = "ThirtyThreeBytesLongProgramName33";
    ASSERT_EQ(name.size(), 33u);
    open_new_script(script_text(name, {"hello"}));
    ASSERT_TRUE(editor_.choose(kCompileItem));
    answer_folder_box(out_, true);
    const Box box = take_box();
    EXPECT_EQ(box.title, "Taliq Script");
    EXPECT_EQ(box.icon, BoxIcon::warning);
    EXPECT_NE(box.text.find(name), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("32"), std::string::npos) << box.text;
    expect_compile_ended();
    EXPECT_EQ(unsealed_code(read_file(out_ + "\\" + name + ".tlqcode")), script_text(name, {"hello"}));
    EXPECT_FALSE(file_exists(out_ + "\\" + name + ".exe"));
}

TEST_F(CompileInEditor, CancelOrEmptyFolderWritesNothing) {
    open_new_script();
    struct FolderCase {
        const char* what;
        std::string folder;
        bool confirm;
    };
    const FolderCase cases[] = {
        {"Cancel", out_, false},
        {"OK with an empty text", "", true},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(editor_.choose(kCompileItem));
        answer_folder_box(c.folder, c.confirm);
        expect_compile_ended();
        EXPECT_FALSE(file_exists(out_ + "\\HelloWorld.tlqcode"));
        EXPECT_FALSE(file_exists(out_ + "\\HelloWorld.exe"));
    }
}

TEST_F(CompileInEditor, CancelAtTheQuestionKeepsTheCodeFileOnly) {
    open_new_script();
    ASSERT_TRUE(editor_.choose(kCompileItem));
    answer_folder_box(out_, true);
    answer_question(false);
    expect_compile_ended();
    EXPECT_EQ(unsealed_code(read_file(out_ + "\\HelloWorld.tlqcode")), kScriptTemplate);
    EXPECT_FALSE(file_exists(out_ + "\\HelloWorld.exe"));
}

TEST_F(CompileInEditor, WithoutADocumentOnlyAnErrorIsShown) {
    ASSERT_FALSE(editor_.edit_box_enabled());
    ASSERT_TRUE(editor_.choose(kCompileItem));
    const Box box = take_box();
    EXPECT_EQ(box, (Box{"信息：", "Error: not found file", BoxIcon::none}));
    expect_compile_ended();
}

TEST_F(CompileInEditor, NameThatIsNoFileNameIsRefusedBeforeAnythingIsWritten) {
    for (const std::string name : {"a/b", "Hello:World", "what?", "x|y", "back\\slash"}) {
        SCOPED_TRACE(name);
        open_new_script(script_text(name, {"hello"}));
        ASSERT_TRUE(editor_.choose(kCompileItem));
        const Box box = take_box();
        EXPECT_EQ(box.title, "Taliq Script");
        EXPECT_EQ(box.icon, BoxIcon::error);
        EXPECT_NE(box.text.find(name), std::string::npos) << box.text;
        expect_compile_ended();  // no input box followed
    }
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((out_ + "\\*.*").c_str(), &entry);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (entry.cFileName[0] != '.') ++entries;
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    EXPECT_EQ(entries, 0);
}

TEST_F(CompileInEditor, FailedWritesAreReportedWithThePath) {
    open_new_script();
    const std::string missing = scratch_ / "no such folder";
    ASSERT_TRUE(editor_.choose(kCompileItem));
    answer_folder_box(missing, true);
    const Box code_box = take_box();
    EXPECT_EQ(code_box.icon, BoxIcon::error);
    EXPECT_NE(code_box.text.find(missing + "\\HelloWorld.tlqcode"), std::string::npos) << code_box.text;
    expect_compile_ended();

    // The code file can be written, the launcher not: a folder in its place.
    ASSERT_TRUE(make_folder(out_ + "\\HelloWorld.exe"));
    ASSERT_TRUE(editor_.choose(kCompileItem));
    answer_folder_box(out_, true);
    answer_question(true);
    const Box launcher_box = take_box();
    EXPECT_EQ(launcher_box.icon, BoxIcon::error);
    EXPECT_NE(launcher_box.text.find(out_ + "\\HelloWorld.exe"), std::string::npos) << launcher_box.text;
    expect_compile_ended();
    EXPECT_TRUE(file_exists(out_ + "\\HelloWorld.tlqcode"));
}

}  // namespace
}  // namespace tlq::test
