// One running tlqedit.exe, driven like a user: its main window, the edit
// box, the menu (read through the probe DLL), message boxes and dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace tlq::test {

// Windows path of the tlqedit.exe under test (from the command line).
const std::string& editor_path();
void set_editor_path_from_host(const std::string& host_path);

struct MenuEntry {
    std::string menu;     // caption in the menu bar
    std::string caption;  // the item's caption, "" for a separator
    int id = 0;
    bool enabled = false;
    bool separator = false;
};

struct FontInfo {
    std::string face;
    int height = 0;
    int weight = 0;
};

class EditorUnderTest {
public:
    EditorUnderTest() = default;
    ~EditorUnderTest();
    EditorUnderTest(const EditorUnderTest&) = delete;
    EditorUnderTest& operator=(const EditorUnderTest&) = delete;

    // Starts "<exe>" <arguments> and waits for the main window and its probe.
    bool start(const std::string& arguments = std::string(),
               const std::string& current_directory = std::string(),
               const std::string& exe = editor_path());

    DWORD pid() const { return program_.pid(); }
    HWND window() const { return window_; }
    HWND edit_box() const { return edit_box_; }
    DWORD ui_thread() const { return ui_thread_; }
    RunningProgram& program() { return program_; }

    std::string text() const;
    bool edit_box_enabled() const;
    // Types into the edit box as keystrokes (WM_CHAR), so the editor sees a
    // change by the user.
    void type(const std::string& text);
    // Replaces the whole text, then types one character and deletes it again,
    // so the editor counts it as the user's edit.
    void replace_text_as_user(const std::string& text);

    std::vector<MenuEntry> menu_tree();
    FontInfo edit_box_font();
    // The item whose caption (the part before any tab) is caption.
    MenuEntry item(const std::string& caption);
    bool item_enabled(const std::string& caption) { return item(caption).enabled; }
    // Chooses the item as a click on it would: posts its command, then
    // waits until the editor has taken it (and opened any dialog it shows).
    bool choose(const std::string& caption);
    void post_key(UINT virtual_key);
    // Waits until every message posted so far has been taken.
    bool settle();

    // Visible dialogs of the editor's window thread / of any of its threads.
    std::vector<HWND> ui_dialogs() const;
    std::vector<HWND> all_dialogs() const;
    HWND wait_for_ui_dialog(DWORD timeout_ms = 5000) const;
    // A dialog of another thread than the window's (a debug run's box).
    HWND wait_for_run_box(DWORD timeout_ms = 5000) const;
    std::vector<HWND> run_boxes() const;

    // Choose the command, fill its file dialog with path and accept it.
    bool choose_with_file(const std::string& caption, const std::string& path);
    // Close the main window as the close box does.
    void ask_to_close();

private:
    bool attach_probe();
    bool failed(const std::string& what);
    bool ask_probe(std::string* text);

    RunningProgram program_;
    HWND window_ = nullptr;
    HWND edit_box_ = nullptr;
    DWORD ui_thread_ = 0;
    HHOOK hook_ = nullptr;
    HANDLE block_mapping_ = nullptr;
    void* block_ = nullptr;
    LONG token_ = 0;
};

// Script file helpers (sealed with the file key, as the editor writes them).
std::string seal_script(const std::string& text);
// Empty optional-like: ok false when the bytes do not unseal.
bool unseal_script(const std::string& sealed, std::string& text);

// Files "XDV<number>.tmp" in the temporary folder's tlqscript_debug folder.
std::string debug_folder();
std::vector<std::string> debug_files();

}  // namespace tlq::test
