// The editor started from a folder, with the helpers that the About window
// and help launch tests share: commands, clicks and control placement.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace tlq {
namespace test {

// Starts folder\tlqedit.exe and finds its main window; ends the editor and
// every help viewer it started when the test is over.
class EditorUnderTest {
public:
    explicit EditorUnderTest(const std::string& folder = own_directory());
    ~EditorUnderTest();
    EditorUnderTest(const EditorUnderTest&) = delete;
    EditorUnderTest& operator=(const EditorUnderTest&) = delete;

    bool ready() const { return main_ != nullptr; }
    DWORD pid() const { return program_.pid(); }
    HWND main_window() const { return main_; }
    // Chooses a menu command as the menu does, and returns once it ran.
    bool command(int id) const;

private:
    RunningProgram program_;
    HWND main_ = nullptr;
};

// Returns once the window's thread has handled everything sent before.
bool sync_with(HWND window);

// Mouse presses sent to a control, handled before these return.
bool press(HWND control);
bool double_click(HWND control);

// The control's rectangle in its parent's client area.
RECT placement(HWND control);
POINT position(HWND control);

LONG_PTR style_of(HWND window);
LONG_PTR extended_style_of(HWND window);

// Ends every running help viewer of this prefix.
void end_help_viewers();

}  // namespace test
}  // namespace tlq
