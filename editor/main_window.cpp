// Main window "Taliq Script - Editor": 959 x 510, centred, resizable.
#include "main_window.h"

#include "about_window.h"
#include "compile_command.h"
#include "debug_run.h"
#include "edit_box.h"
#include "editor_access.h"
#include "file_commands.h"
#include "help_launch.h"
#include "menu_bar.h"
#include "menu_ids.h"
#include "random.h"
#include "shell_integration.h"
#include "text_list.h"
#include "win/system_paths.h"

namespace tlq::editor {

namespace {

const char window_class_name[] = "TaliqScriptEditor";
const char window_title[] = "Taliq Script - Editor";
const int outer_width = 959;
const int outer_height = 510;

HINSTANCE the_instance = nullptr;
HWND the_main_window = nullptr;
HACCEL the_accelerators = nullptr;
TextList start_arguments;

void run_menu_command(int id) {
    switch (id) {
    case cmd_new: new_script(); break;
    case cmd_open: open_script(); break;
    case cmd_save: save_script(); break;
    case cmd_save_as: save_script_as(); break;
    case cmd_delete_project: delete_project(); break;
    case cmd_start_run: start_run(); break;
    case cmd_stop_run: stop_run(); break;
    case cmd_compile: compile_project(); break;
    case cmd_help_topics: launch_help(); break;
    case cmd_about: show_about_window(); break;
    default: break;
    }
}

void on_command(WPARAM wparam, LPARAM lparam) {
    const int id = LOWORD(wparam);
    const int notification = HIWORD(wparam);
    if (lparam != 0) {
        if (id == kEditBox1Id && notification == EN_CHANGE) note_text_edited();
        return;
    }
    // A greyed item's shortcut, or a posted command for it, does nothing.
    if (is_menu_command(id) && menu_item_enabled(the_main_window, id)) run_menu_command(id);
}

void on_key_pressed(WPARAM key) {
    if (key == VK_F1) launch_help();
}

// While a document is open the keyboard belongs to the edit box.
void on_focus_received() {
    if (edit_box_enabled()) SetFocus(edit_box());
}

void on_close_asked(HWND window) {
    if (may_discard_text()) DestroyWindow(window);
}

void on_destroyed() {
    end_run_at_exit();
    PostQuitMessage(0);
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        the_main_window = window;
        create_edit_box(window);
        return 0;
    case WM_SIZE: fit_edit_box_to(window); return 0;
    case WM_COMMAND: on_command(wparam, lparam); return 0;
    case WM_KEYDOWN: on_key_pressed(wparam); return 0;
    case WM_SETFOCUS: on_focus_received(); return 0;
    case WM_CLOSE: on_close_asked(window); return 0;
    case WM_DESTROY: on_destroyed(); return 0;
    case kRunEndedMessage: on_run_ended(lparam); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

bool register_window_class(HINSTANCE instance) {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    window_class.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = window_class_name;
    return RegisterClassExA(&window_class) != 0;
}

}  // namespace

HWND create_main_window(HINSTANCE instance) {
    the_instance = instance;
    if (!register_window_class(instance)) return nullptr;
    the_accelerators = create_accelerators();
    const int left = (GetSystemMetrics(SM_CXSCREEN) - outer_width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - outer_height) / 2;
    return CreateWindowExA(0, window_class_name, window_title, WS_OVERLAPPEDWINDOW, left, top,
                           outer_width, outer_height, nullptr, create_menu_bar(), instance,
                           nullptr);
}

void on_main_window_created() {
    start_arguments = command_line_arguments();
    seed_random();
    if (!start_arguments.empty()) open_script_at_start(start_arguments[0]);
    install_and_register();
}

void run_message_loop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (about_window_handles_message(&message)) continue;
        if (the_main_window && TranslateAcceleratorA(the_main_window, the_accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void release_editor_texts() {
    start_arguments.clear();
    release_document_texts();
    release_run_texts();
    release_edit_box_font();
    if (the_accelerators) DestroyAcceleratorTable(the_accelerators);
    the_accelerators = nullptr;
}

HINSTANCE app_instance() { return the_instance; }

HWND main_window() { return the_main_window; }

bool has_document() { return edit_box_enabled(); }

Text document_text() { return edit_box_text(); }

}  // namespace tlq::editor
