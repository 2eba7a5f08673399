// Drives Windows programs from a test running in the same Wine prefix: start
// a program, find its windows and message boxes, read them, press buttons,
// type keys and fill the common file dialogs. All texts are GBK bytes
// ("A" functions throughout).
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tlq {
namespace test {

// ---- Processes -------------------------------------------------------------

// A started program. Ends the process in its destructor if it still runs, so
// a failing test leaves nothing behind. Movable, not copyable.
class RunningProgram {
public:
    RunningProgram() = default;
    RunningProgram(DWORD pid, HANDLE process) : pid_(pid), process_(process) {}
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram& operator=(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    // True when the process ended within the time; exit_code receives its code.
    bool wait_for_exit(DWORD timeout_ms, DWORD* exit_code = nullptr) const;
    void terminate();

private:
    DWORD pid_ = 0;
    HANDLE process_ = nullptr;
};

// CreateProcessA(nullptr, command_line) with NUL standard handles (never the
// test's own pipes). current_directory empty: the test's current directory.
// A failed start is tried again twice unless the program is missing. Check
// started() on the result; when false, GetLastError() tells why.
RunningProgram start_program(const std::string& command_line,
                             const std::string& current_directory = std::string());

// Quotes a path for a command line: "path".
std::string quoted(const std::string& path);

// Polls predicate every poll_ms until it is true or timeout_ms passed; true
// when the predicate became true.
bool wait_for(const std::function<bool()>& predicate, DWORD timeout_ms = 5000, DWORD poll_ms = 10);

// Process ids of running processes whose executable name matches (ASCII case
// ignored).
std::vector<DWORD> processes_named(const std::string& exe_name);
bool process_running(DWORD pid);

// ---- Windows ---------------------------------------------------------------

std::string window_class(HWND window);
// WM_GETTEXT / WM_SETTEXT through SendMessageTimeout, so a hung target cannot
// block the test. Works across processes for any window, also edit controls.
std::string window_text(HWND window);
bool set_window_text(HWND window, const std::string& text);
DWORD window_process(HWND window);
DWORD window_thread(HWND window);
RECT window_rect(HWND window);  // screen coordinates
RECT client_rect(HWND window);  // client coordinates: left = top = 0
SIZE client_size(HWND window);

// Top-level windows of a process (pid 0: any process); class_name/title
// nullptr match anything, otherwise exact byte comparison.
std::vector<HWND> top_level_windows(DWORD pid, const char* class_name = nullptr,
                                    const char* title = nullptr, bool visible_only = true);
HWND find_window(DWORD pid, const char* class_name = nullptr, const char* title = nullptr);
HWND wait_for_window(DWORD pid, const char* class_name, const char* title,
                     DWORD timeout_ms = 5000);
// Visible top-level windows owned by one thread (e.g. a worker's boxes).
std::vector<HWND> thread_windows(DWORD thread_id, bool visible_only = true);
// Waits until the window is destroyed or hidden.
bool wait_until_gone(HWND window, DWORD timeout_ms = 5000);

std::vector<HWND> child_windows(HWND parent);  // all descendants
HWND child_by_id(HWND parent, int id);         // GetDlgItem
// First descendant with that class (and, if given, that text).
HWND find_child(HWND parent, const char* class_name, const char* text = nullptr);

// ---- Message boxes and dialogs ----------------------------------------------

const int message_text_id = 0xFFFF;  // static holding a message box's text

enum class BoxIcon { none, error, question, warning, information, unknown };
const char* icon_name(BoxIcon icon);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::none;
    std::set<int> buttons;  // present button ids among IDOK(1)..IDNO(7)
};

// Visible "#32770" dialogs of a process (message boxes, input and file
// dialogs); pid 0 means any process.
std::vector<HWND> dialogs_of(DWORD pid);
HWND wait_for_dialog(DWORD pid, DWORD timeout_ms = 5000, const char* title = nullptr);
// Waits for a visible dialog of the thread.
HWND wait_for_thread_dialog(DWORD thread_id, DWORD timeout_ms = 5000);
MessageBoxInfo read_message_box(HWND box);
// The icon static's STM_GETICON compared with LoadIcon(IDI_*): by handle for
// a box of this process; for another process's box by the pixels on the
// screen (the box must be in front, as a fresh box is).
BoxIcon message_box_icon(HWND box);
// Posts BM_CLICK to the dialog's button with that id; false without one.
bool press_button(HWND dialog, int id);
// Presses the button (again every second) until the box is gone.
bool answer_message_box(HWND box, int button_id, DWORD timeout_ms = 5000);

// Common open/save dialog: types the full path into the file-name field
// (control 0x47C) and presses the dialog's OK button.
bool fill_file_dialog(HWND dialog, const std::string& full_path);

// ---- Keys ------------------------------------------------------------------

// Posts WM_KEYDOWN/WM_KEYUP for a plain key (F5, Escape, Return ...).
void post_key(HWND window, UINT virtual_key);
// Posts WM_CHAR for every byte of the text (GBK pairs as two messages).
void post_chars(HWND window, const std::string& text);
// Brings the window to the front and types the key with the modifiers held
// down (VK_CONTROL, VK_SHIFT, VK_MENU) through SendInput.
bool send_key_combination(HWND window, const std::vector<UINT>& modifiers, UINT virtual_key);
bool send_ctrl_key(HWND window, UINT virtual_key);

// ---- Files -----------------------------------------------------------------

// Folder of the running test program, without trailing "\".
std::string own_directory();
std::string temp_directory();  // with trailing "\"
bool file_exists(const std::string& path);
std::string read_file(const std::string& path);
bool write_file(const std::string& path, const std::string& content);

// A fresh folder under the temporary folder, removed with its contents in
// the destructor.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "tlqtest");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }  // without trailing "\"
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
bool remove_tree(const std::string& path);

}  // namespace test
}  // namespace tlq
