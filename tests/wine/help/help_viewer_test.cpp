// hview.exe on a machine without internet, its window behind the error box,
// and what its file says about itself.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "driver.h"

namespace tlq {
namespace test {
namespace {

const char viewer_title[] = "TlqScript - 帮助";
// The probe gives up after a few seconds when nothing answers.
const DWORD error_box_wait_ms = 30000;

std::string viewer_path() { return own_directory() + "\\hview.exe"; }

struct ViewerWithErrorBox {
    RunningProgram program;
    HWND box = nullptr;
    HWND window = nullptr;
};

ViewerWithErrorBox start_viewer()
{
    ViewerWithErrorBox viewer;
    viewer.program = start_program(quoted(viewer_path()), own_directory());
    if (!viewer.program.started()) return viewer;
    viewer.box = wait_for_dialog(viewer.program.pid(), error_box_wait_ms, "Error!");
    viewer.window = find_window(viewer.program.pid(), nullptr, viewer_title);
    return viewer;
}

// The browser control's own window, straight inside ours.
HWND browser_window(HWND viewer)
{
    for (HWND child : child_windows(viewer))
        if (GetParent(child) == viewer) return child;
    return nullptr;
}

SIZE outer_size(HWND window)
{
    const RECT rect = window_rect(window);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool browser_fits(HWND viewer, HWND browser)
{
    const SIZE outer = outer_size(viewer);
    const SIZE size = outer_size(browser);
    return size.cx == outer.cx - 15 && size.cy == outer.cy;
}

TEST(HelpViewer, WithoutNetworkShowsTheErrorAndEnds)
{
    ViewerWithErrorBox viewer = start_viewer();
    ASSERT_NE(viewer.box, nullptr);
    const MessageBoxInfo info = read_message_box(viewer.box);
    EXPECT_EQ(info.title, "Error!");
    EXPECT_EQ(info.text, "Network Error");
    EXPECT_EQ(info.icon, BoxIcon::error) << icon_name(info.icon);
    EXPECT_EQ(info.buttons, std::set<int>{IDOK});

    // The engine is asked for its current standards mode for this program.
    DWORD mode = 0;
    DWORD mode_size = sizeof mode;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION",
                           "hview.exe", RRF_RT_REG_DWORD, nullptr, &mode, &mode_size),
              ERROR_SUCCESS);
    EXPECT_EQ(mode, 11001u);

    ASSERT_TRUE(answer_message_box(viewer.box, IDOK));
    DWORD exit_code = 1;
    EXPECT_TRUE(viewer.program.wait_for_exit(10000, &exit_code));
    EXPECT_TRUE(processes_named("hview.exe").empty());
}

// While the box is open the window behind it keeps its timer going.
TEST(HelpViewer, WindowIsMaximisedAndTheBrowserFollowsItsSize)
{
    ViewerWithErrorBox viewer = start_viewer();
    ASSERT_NE(viewer.box, nullptr);
    ASSERT_NE(viewer.window, nullptr);
    EXPECT_TRUE(IsZoomed(viewer.window));
    const LONG_PTR style = GetWindowLongPtrA(viewer.window, GWL_STYLE);
    for (LONG_PTR bit : {LONG_PTR(WS_THICKFRAME), LONG_PTR(WS_SYSMENU), LONG_PTR(WS_MINIMIZEBOX),
                         LONG_PTR(WS_MAXIMIZEBOX)})
        EXPECT_TRUE(style & bit) << std::hex << bit;

    HWND browser = browser_window(viewer.window);
    ASSERT_NE(browser, nullptr) << "no browser control";
    EXPECT_TRUE(wait_for([&] { return browser_fits(viewer.window, browser); }));

    ShowWindow(viewer.window, SW_RESTORE);
    ASSERT_TRUE(wait_for([&] { return !IsZoomed(viewer.window); }));
    const RECT restored = window_rect(viewer.window);
    EXPECT_EQ(restored.left, 50);
    EXPECT_EQ(restored.top, 50);
    EXPECT_EQ(restored.right - restored.left, 986);
    EXPECT_EQ(restored.bottom - restored.top, 617);
    EXPECT_TRUE(wait_for([&] { return browser_fits(viewer.window, browser); }));

    SetWindowPos(viewer.window, nullptr, 120, 90, 700, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(wait_for([&] { return outer_size(viewer.window).cx == 700; }));
    EXPECT_TRUE(wait_for([&] { return browser_fits(viewer.window, browser); }));

    // The browser stays at the top left corner of the client area.
    POINT origin = {0, 0};
    ClientToScreen(viewer.window, &origin);
    const RECT at = window_rect(browser);
    EXPECT_EQ(at.left, origin.x);
    EXPECT_EQ(at.top, origin.y);

    ASSERT_TRUE(answer_message_box(viewer.box, IDOK));
    EXPECT_TRUE(viewer.program.wait_for_exit(10000));
}

std::string version_string(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT size = 0;
    const std::string path = std::string("\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &size) || !value)
        return std::string();
    return std::string(value);
}

TEST(HelpViewerFile, VersionResourceNamesTheHelp)
{
    const DWORD size = GetFileVersionInfoSizeA(viewer_path().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(viewer_path().c_str(), 0, size, block.data()));
    EXPECT_EQ(version_string(block, "FileDescription"), "Taliq Script 帮助");
    EXPECT_EQ(version_string(block, "ProductName"), "Taliq Script 帮助");
    EXPECT_EQ(version_string(block, "FileVersion"), "1.0.0.0");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(HelpViewerFile, IconHasEveryTrueColourSize)
{
    HMODULE file = LoadLibraryExA(viewer_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(found, nullptr);
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(file, found)));
    ASSERT_NE(group, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const IconGroupEntry*>(group + 6 + i * sizeof(IconGroupEntry));
        EXPECT_EQ(entry->bits, 32);
        EXPECT_EQ(entry->width, entry->height);
        sizes.insert(entry->width == 0 ? 256 : entry->width);
    }
    FreeLibrary(file);
    EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 64, 72, 96, 128, 256}));
}

}  // namespace
}  // namespace test
}  // namespace tlq
