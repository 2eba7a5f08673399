// Start-up: the first command-line argument opened as a script.
#include <gtest/gtest.h>

#include "editor_under_test.h"

namespace tlq::test {
namespace {

struct FileToMake {
    const char* name;  // relative to the scratch folder
    std::string content;
};

struct StartUpCase {
    const char* description;
    std::vector<FileToMake> files;
    const char* arguments;          // {root} stands for the scratch folder
    bool from_copy_in_app_folder;   // run root\app\tlqedit.exe from root\work
    const char* expected_text;
    bool expected_enabled;
    const char* error_names_file;   // nullptr: no box; else the path the box names
};

std::string with_root(std::string text, const std::string& root) {
    const std::string marker = "{root}";
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
        text.replace(at, marker.size(), root);
        at += root.size();
    }
    return text;
}

void make_parent_folders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
}

const std::string script_a = "[info]\r\n当前命令数量=0\r\n程序名称=A";
const std::string script_b = "[info]\r\n当前命令数量=0\r\n程序名称=B";
const std::string script_app = "[info]\r\n程序名称=来自编辑器的文件夹";
const std::string script_work = "[info]\r\n程序名称=来自当前文件夹";
const std::string script_chinese = "[info]\r\n程序名称=中文路径\r\n[main]\r\n1=信息框 你好";

const StartUpCase cases[] = {
    {"no argument: no document", {}, "", false, "", false, nullptr},
    {"quoted path with spaces is opened",
     {{"My Scripts\\a.tqspt", seal_script(script_a)}}, "\"{root}\\My Scripts\\a.tqspt\"", false,
     script_a.c_str(), true, nullptr},
    {"unquoted path is cut at its space: the missing part gives an empty document",
     {{"My Scripts\\a.tqspt", seal_script(script_a)}}, "{root}\\My Scripts\\a.tqspt", false, "", true,
     nullptr},
    {"unquoted path is cut at its space: the part before it is what opens",
     {{"My Scripts\\a.tqspt", seal_script(script_a)}, {"My", seal_script(script_b)}},
     "{root}\\My Scripts\\a.tqspt", false, script_b.c_str(), true, nullptr},
    {"relative path is taken from the editor's folder, not the starting one",
     {{"app\\rel\\s.tqspt", seal_script(script_app)}, {"work\\rel\\s.tqspt", seal_script(script_work)}},
     "rel\\s.tqspt", true, script_app.c_str(), true, nullptr},
    {"only the first of two arguments is opened",
     {{"a.tqspt", seal_script(script_a)}, {"b.tqspt", seal_script(script_b)}},
     "\"{root}\\a.tqspt\" \"{root}\\b.tqspt\"", false, script_a.c_str(), true, nullptr},
    {"Chinese folder and file names",
     {{"脚本 文件夹\\例子.tqspt", seal_script(script_chinese)}}, "\"{root}\\脚本 文件夹\\例子.tqspt\"", false,
     script_chinese.c_str(), true, nullptr},
    {"a 0-byte file is an empty script", {{"empty.tqspt", ""}}, "{root}\\empty.tqspt", false, "", true,
     nullptr},
    {"a file that is not a sealed script is refused with a box naming it",
     {{"plain.tqspt", script_a}}, "{root}\\plain.tqspt", false, "", false, "{root}\\plain.tqspt"},
};

TEST(EditorStartUp, FirstArgumentIsOpenedAsAScript) {
    for (const StartUpCase& c : cases) {
        SCOPED_TRACE(c.description);
        ScratchFolder folder("tlqedit_start");
        const std::string root = folder.path();
        for (const FileToMake& f : c.files) {
            const std::string path = folder / f.name;
            make_parent_folders(path);
            ASSERT_TRUE(write_file(path, f.content));
        }
        std::string exe = editor_path();
        std::string current_directory;
        if (c.from_copy_in_app_folder) {
            CreateDirectoryA((folder / "app").c_str(), nullptr);
            CreateDirectoryA((folder / "work").c_str(), nullptr);
            exe = folder / "app\\tlqedit.exe";
            ASSERT_TRUE(CopyFileA(editor_path().c_str(), exe.c_str(), FALSE));
            current_directory = folder / "work";
        }

        EditorUnderTest editor;
        ASSERT_TRUE(editor.start(with_root(c.arguments, root), current_directory, exe));
        const std::vector<HWND> boxes = editor.ui_dialogs();
        if (c.error_names_file) {
            ASSERT_EQ(boxes.size(), 1u);
            const MessageBoxInfo box = read_message_box(boxes[0]);
            EXPECT_EQ(box.title, "Taliq Script");
            EXPECT_EQ(box.icon, BoxIcon::error);
            EXPECT_EQ(box.buttons, std::set<int>{IDOK});
            EXPECT_NE(box.text.find(with_root(c.error_names_file, root)), std::string::npos) << box.text;
            ASSERT_TRUE(answer_message_box(boxes[0], IDOK));
            ASSERT_TRUE(editor.settle());
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_EQ(editor.text(), c.expected_text);
        EXPECT_EQ(editor.edit_box_enabled(), c.expected_enabled);
        // The files named are only read.
        for (const FileToMake& f : c.files) EXPECT_EQ(read_file(folder / f.name), f.content) << f.name;
    }
}

// A file opened at start-up is the document's file, as if chosen in Open.
TEST(EditorStartUp, DeleteProjectRemovesTheFileNamedAtStartUp) {
    ScratchFolder folder("tlqedit_start");
    const std::string path = folder / "started.tqspt";
    ASSERT_TRUE(write_file(path, seal_script(script_a)));
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start(quoted(path)));
    ASSERT_EQ(editor.text(), script_a);
    ASSERT_TRUE(editor.choose("删除项目"));
    for (int question = 0; question < 2; ++question) {
        HWND box = editor.wait_for_ui_dialog();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(answer_message_box(box, IDOK));
    }
    ASSERT_TRUE(editor.settle());
    EXPECT_FALSE(file_exists(path));
    EXPECT_EQ(editor.text(), "");
}

}  // namespace
}  // namespace tlq::test
