#include "editor_under_test.h"

namespace tlq {
namespace test {

namespace {

const char editor_class[] = "TaliqScriptEditor";
const UINT reply_timeout_ms = 10000;

bool send_and_wait(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, reply_timeout_ms, &result) != 0;
}

}  // namespace

EditorUnderTest::EditorUnderTest(const std::string& folder)
    : program_(start_program(quoted(folder + "\\tlqedit.exe"), folder))
{
    if (program_.started()) main_ = wait_for_window(program_.pid(), editor_class, nullptr, 30000);
}

EditorUnderTest::~EditorUnderTest()
{
    program_.terminate();
    end_help_viewers();
}

bool EditorUnderTest::command(int id) const { return send_and_wait(main_, WM_COMMAND, id, 0); }

bool sync_with(HWND window) { return send_and_wait(window, WM_NULL, 0, 0); }

bool press(HWND control)
{
    const LPARAM point = MAKELPARAM(3, 3);
    return send_and_wait(control, WM_LBUTTONDOWN, MK_LBUTTON, point) &&
           send_and_wait(control, WM_LBUTTONUP, 0, point);
}

// The order a real double click arrives in.
bool double_click(HWND control)
{
    const LPARAM point = MAKELPARAM(3, 3);
    return press(control) && send_and_wait(control, WM_LBUTTONDBLCLK, MK_LBUTTON, point) &&
           send_and_wait(control, WM_LBUTTONUP, 0, point);
}

RECT placement(HWND control)
{
    RECT rect = window_rect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT position(HWND control)
{
    const RECT rect = placement(control);
    return {rect.left, rect.top};
}

LONG_PTR style_of(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

LONG_PTR extended_style_of(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

void end_help_viewers()
{
    for (DWORD pid : processes_named("hview.exe")) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace test
}  // namespace tlq
