// The main window as it opens: title, size, place, edit box, menu tree,
// shortcut keys, the layout rule and the version resource.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_under_test.h"

namespace tlq::test {
namespace {

const char kTemplate[] =
    "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n"
    "[main]\r\n1=置信息框标题 Hello\r\n2=信息框 Hello World!";

int width_of(const RECT& r) { return r.right - r.left; }
int height_of(const RECT& r) { return r.bottom - r.top; }

TEST(EditorWindow, OpensCentredAtItsSizeWithAnEmptyDisabledEditBox) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    const RECT outer = window_rect(editor.window());
    EXPECT_EQ(width_of(outer), 959);
    EXPECT_EQ(height_of(outer), 510);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 959) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 510) / 2);
    EXPECT_EQ(window_text(editor.window()), "Taliq Script - Editor");

    const LONG style = GetWindowLongA(editor.window(), GWL_STYLE);
    for (LONG bit : {WS_THICKFRAME, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }

    EXPECT_EQ(window_class(editor.edit_box()), "Edit");
    EXPECT_EQ(editor.text(), "");
    EXPECT_FALSE(editor.edit_box_enabled());
    const RECT box = window_rect(editor.edit_box());
    EXPECT_EQ(width_of(box), 944);
    EXPECT_EQ(height_of(box), 450);
    POINT corner = {0, 0};
    ClientToScreen(editor.window(), &corner);
    EXPECT_EQ(box.left, corner.x);
    EXPECT_EQ(box.top, corner.y);
}

TEST(EditorWindow, EditBoxHasItsStylesFontAndNoLimitOfItsOwn) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    const LONG style = GetWindowLongA(editor.edit_box(), GWL_STYLE);
    struct Bit {
        LONG bit;
        bool wanted;
        const char* name;
    };
    const Bit bits[] = {
        {ES_MULTILINE, true, "ES_MULTILINE"},     {ES_WANTRETURN, true, "ES_WANTRETURN"},
        {ES_AUTOHSCROLL, true, "ES_AUTOHSCROLL"}, {ES_AUTOVSCROLL, true, "ES_AUTOVSCROLL"},
        {WS_HSCROLL, true, "WS_HSCROLL"},         {WS_VSCROLL, true, "WS_VSCROLL"},
        {WS_TABSTOP, true, "WS_TABSTOP"},         {WS_BORDER, false, "WS_BORDER"},
        {ES_NOHIDESEL, false, "ES_NOHIDESEL"},    {ES_READONLY, false, "ES_READONLY"},
        {ES_PASSWORD, false, "ES_PASSWORD"},      {ES_UPPERCASE, false, "ES_UPPERCASE"},
        {ES_LOWERCASE, false, "ES_LOWERCASE"},    {ES_CENTER | ES_RIGHT, false, "ES_CENTER|ES_RIGHT"},
    };
    for (const Bit& b : bits) EXPECT_EQ((style & b.bit) != 0, b.wanted) << b.name;
    EXPECT_EQ(GetWindowLongA(editor.edit_box(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

    DWORD_PTR limit = 0;
    SendMessageTimeoutA(editor.edit_box(), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &limit);
    EXPECT_GE(static_cast<unsigned long long>(limit), 0x7FFFFFFEull);

    const FontInfo font = editor.edit_box_font();
    EXPECT_EQ(font.face, "Comic Sans MS");
    EXPECT_EQ(font.height, -14);
    EXPECT_EQ(font.weight, 400);
}

TEST(EditorWindow, MenuTreeHasItsCaptionsShortcutsAndStartStates) {
    struct Expected {
        const char* menu;
        const char* caption;  // nullptr: separator
        bool enabled;
    };
    const Expected expected[] = {
        {"文件", "新建\tCtrl+N", true},     {"文件", "打开\tCtrl+O", true},
        {"文件", "保存\tCtrl+S", true},     {"文件", "另存为\tCtrl+F1", true},
        {"文件", nullptr, true},            {"文件", "删除项目", true},
        {"运行", "开始运行\tF5", true},     {"运行", "终止运行\tCtrl+F5", false},
        {"编译", "编译项目\tF7", true},     {"关于", "帮助主题", true},
        {"关于", "关于TlqScript", true},
    };
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    const std::vector<MenuEntry> tree = editor.menu_tree();
    ASSERT_EQ(tree.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < tree.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tree[i].menu, expected[i].menu);
        EXPECT_EQ(tree[i].separator, expected[i].caption == nullptr);
        if (!expected[i].caption) continue;
        EXPECT_EQ(tree[i].caption, expected[i].caption);
        EXPECT_EQ(tree[i].enabled, expected[i].enabled);
    }
}

// The edit box measures W - 15 by H - 60 of the window's outer size, never
// below 0, after every size change.
void expect_layout_rule(EditorUnderTest& editor) {
    ASSERT_TRUE(editor.settle());
    const RECT outer = window_rect(editor.window());
    const RECT box = window_rect(editor.edit_box());
    EXPECT_EQ(width_of(box), std::max(0, width_of(outer) - 15)) << "outer width " << width_of(outer);
    EXPECT_EQ(height_of(box), std::max(0, height_of(outer) - 60)) << "outer height " << height_of(outer);
}

TEST(EditorWindow, EditBoxFollowsEverySizeOfTheWindow) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());
    const SIZE sizes[] = {{700, 400}, {1200, 900}, {300, 200}, {120, 70}, {959, 510}};
    for (const SIZE& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        SetWindowPos(editor.window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        expect_layout_rule(editor);
        const RECT outer = window_rect(editor.window());
        EXPECT_EQ(width_of(outer), size.cx);
        EXPECT_EQ(height_of(outer), size.cy);
    }

    PostMessageA(editor.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(wait_for([&] { return IsIconic(editor.window()) != FALSE; }));
    {
        SCOPED_TRACE("minimised");
        expect_layout_rule(editor);
        const RECT outer = window_rect(editor.window());
        if (height_of(outer) < 60) {
            EXPECT_EQ(height_of(window_rect(editor.edit_box())), 0);
        }
    }
    PostMessageA(editor.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(wait_for([&] { return !IsIconic(editor.window()); }));
    {
        SCOPED_TRACE("restored");
        expect_layout_rule(editor);
        EXPECT_EQ(width_of(window_rect(editor.edit_box())), 944);
        EXPECT_EQ(height_of(window_rect(editor.edit_box())), 450);
    }
}

// Each shortcut key, typed with the window in front, runs its command.
TEST(EditorWindow, ShortcutKeysRunTheirCommands) {
    EditorUnderTest editor;
    ASSERT_TRUE(editor.start());

    ASSERT_TRUE(send_ctrl_key(editor.window(), 'N'));
    ASSERT_TRUE(wait_for([&] { return editor.text() == kTemplate; }));
    EXPECT_TRUE(editor.edit_box_enabled());

    struct DialogKey {
        const char* name;
        UINT key;
    };
    // Ctrl+O opens the open dialog; Ctrl+S (no file yet) and Ctrl+F1 the save dialog.
    const DialogKey dialog_keys[] = {{"Ctrl+F1", VK_F1}, {"Ctrl+O", 'O'}, {"Ctrl+S", 'S'}};
    std::vector<std::string> titles;
    for (const DialogKey& k : dialog_keys) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(send_ctrl_key(editor.window(), k.key));
        HWND dialog = editor.wait_for_ui_dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_NE(GetDlgItem(dialog, 0x47C), nullptr) << "not a file dialog";
        titles.push_back(window_text(dialog));
        ASSERT_TRUE(answer_message_box(dialog, IDCANCEL));
        ASSERT_TRUE(editor.settle());
    }
    EXPECT_NE(titles[1], titles[2]) << "Ctrl+O must open the open dialog, Ctrl+S the save dialog";
    EXPECT_EQ(titles[0], titles[2]);

    ASSERT_TRUE(send_key_combination(editor.window(), {}, VK_F5));
    HWND box = editor.wait_for_run_box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(read_message_box(box).text, "Hello World!");
    EXPECT_FALSE(editor.item_enabled("开始运行"));

    ASSERT_TRUE(send_ctrl_key(editor.window(), VK_F5));
    EXPECT_TRUE(wait_until_gone(box));
    EXPECT_TRUE(wait_for([&] { return editor.item_enabled("开始运行"); }));
    EXPECT_FALSE(editor.item_enabled("终止运行"));
}

// F1 starts hview.exe from the editor's folder while the main window itself
// has the focus (no document yet), not while the edit box has it.
TEST(EditorWindow, F1OpensTheHelpOnlyFromTheMainWindowItself) {
    ScratchFolder folder("tlqedit_help");
    const std::string editor_copy = folder / "tlqedit.exe";
    ASSERT_TRUE(CopyFileA(editor_path().c_str(), editor_copy.c_str(), FALSE));
    // Any program will do as the help viewer: the test only sees it start.
    ASSERT_TRUE(CopyFileA(editor_path().c_str(), (folder / "hview.exe").c_str(), FALSE));
    for (DWORD pid : processes_named("hview.exe")) ADD_FAILURE() << "hview.exe already running: " << pid;

    EditorUnderTest editor;
    ASSERT_TRUE(editor.start("", "", editor_copy));
    ASSERT_TRUE(send_key_combination(editor.window(), {}, VK_F1));
    EXPECT_TRUE(wait_for([] { return processes_named("hview.exe").size() == 1; }));
    std::vector<DWORD> viewers = processes_named("hview.exe");

    ASSERT_TRUE(editor.choose("新建"));
    ASSERT_TRUE(send_key_combination(editor.window(), {}, VK_F1));
    ASSERT_TRUE(editor.settle());
    // A second launch would end the first viewer and start another.
    EXPECT_EQ(processes_named("hview.exe"), viewers);

    for (DWORD pid : viewers) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

TEST(EditorWindow, VersionResourceNamesTheEditorAndItsIcon) {
    const std::string& exe = editor_path();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(4, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    struct Translation {
        WORD language;
        WORD code_page;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof *translation);
    char block[64];
    wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation->language, translation->code_page);
    struct Field {
        const char* name;
        const char* value;
    };
    const Field fields[] = {{"FileDescription", "Taliq批处理编辑器"},
                           {"ProductName", "Taliq Script"},
                           {"FileVersion", "1.4.0.0"}};
    for (const Field& f : fields) {
        char* value = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), (std::string(block) + f.name).c_str(),
                                   reinterpret_cast<void**>(&value), &length))
            << f.name;
        EXPECT_EQ(std::string(value), f.value) << f.name;
    }

    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HICON big = static_cast<HICON>(LoadImageA(image, MAKEINTRESOURCEA(1), IMAGE_ICON, 48, 48, 0));
    EXPECT_NE(big, nullptr);
    HRSRC group = FindResourceA(image, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    // The icon group lists one entry per size: 16, 32, 48 and 256 (stored as 0).
    const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(image, group)));
    ASSERT_NE(directory, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i) widths.push_back(directory[6 + 14 * i] == 0 ? 256 : directory[6 + 14 * i]);
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 256}));
    if (big) DestroyIcon(big);
    FreeLibrary(image);
}

}  // namespace
}  // namespace tlq::test
