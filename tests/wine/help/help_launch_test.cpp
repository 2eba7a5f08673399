// F1 and "帮助主题" in the editor start the help viewer from the editor's own
// folder, ending the one that runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "editor_under_test.h"
#include "menu_ids.h"

namespace tlq {
namespace test {
namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(tolower(c)); });
    return text;
}

std::string image_path(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return std::string();
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    const BOOL ok = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return ok ? std::string(path, size) : std::string();
}

// The one running help viewer, or 0 while there is not exactly one.
DWORD only_viewer()
{
    const std::vector<DWORD> viewers = processes_named("hview.exe");
    return viewers.size() == 1 ? viewers[0] : 0;
}

// The editor and the help viewer copied into a folder of their own, so the
// viewer can only come from the editor's folder.
class HelpLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        end_help_viewers();
        for (const char* program : {"tlqedit.exe", "hview.exe"})
            ASSERT_TRUE(CopyFileA((own_directory() + "\\" + program).c_str(), (folder / program).c_str(), FALSE));
        editor = std::make_unique<EditorUnderTest>(folder.path());
        ASSERT_TRUE(editor->ready());
    }
    void TearDown() override
    {
        editor.reset();
        end_help_viewers();
    }

    void press_f1() { ASSERT_TRUE(send_key_combination(editor->main_window(), {}, VK_F1)); }

    ScratchFolder folder{"tlqhelp"};
    std::unique_ptr<EditorUnderTest> editor;
};

TEST_F(HelpLaunch, F1WithoutDocumentStartsTheViewerBesideTheEditor)
{
    ASSERT_EQ(processes_named("hview.exe").size(), 0u);
    press_f1();
    ASSERT_TRUE(wait_for([] { return only_viewer() != 0; }, 10000));
    const DWORD first = only_viewer();
    EXPECT_EQ(lower(image_path(first)), lower(folder / "hview.exe"));

    // Again: the running viewer ends and a new one starts. The viewer's
    // error box now holds the foreground, so the key goes to the main
    // window's own queue as its key-down.
    post_key(editor->main_window(), VK_F1);
    ASSERT_TRUE(wait_for([&] { return !process_running(first) && only_viewer() != 0; }, 10000));
    const DWORD second = only_viewer();
    EXPECT_NE(second, first);
    EXPECT_EQ(lower(image_path(second)), lower(folder / "hview.exe"));
}

TEST_F(HelpLaunch, F1WhileTypingDoesNothingButTheMenuWorks)
{
    ASSERT_TRUE(editor->command(cmd_new));
    HWND edit = find_child(editor->main_window(), "Edit");
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(IsWindowEnabled(edit));
    const std::string before = window_text(edit);

    // F1 then a letter: once the letter is in the text, F1 was handled too.
    press_f1();
    ASSERT_TRUE(send_key_combination(editor->main_window(), {}, 'Q'));
    ASSERT_TRUE(wait_for([&] { return window_text(edit).size() == before.size() + 1; }));
    ASSERT_TRUE(sync_with(editor->main_window()));
    EXPECT_EQ(processes_named("hview.exe").size(), 0u);

    ASSERT_TRUE(editor->command(cmd_help_topics));
    EXPECT_TRUE(wait_for([] { return only_viewer() != 0; }, 10000));
}

TEST_F(HelpLaunch, MissingViewerShowsNothing)
{
    ASSERT_TRUE(DeleteFileA((folder / "hview.exe").c_str()));
    ASSERT_TRUE(editor->command(cmd_help_topics));
    EXPECT_EQ(processes_named("hview.exe").size(), 0u);
    EXPECT_TRUE(dialogs_of(editor->pid()).empty());
}

}  // namespace
}  // namespace test
}  // namespace tlq
