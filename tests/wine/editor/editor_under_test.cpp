#include "editor_under_test.h"

#include <algorithm>
#include <cstdio>

#include "key_texts.h"
#include "menu_probe/menu_probe_protocol.h"
#include "sealed_file.h"

namespace tlq::test {

namespace {

const char main_window_title[] = "Taliq Script - Editor";
const int edit_box_id = 1001;
const char field = '\x1F';

std::string the_editor_path;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string before_tab(const std::string& caption) { return caption.substr(0, caption.find('\t')); }

bool is_dialog(HWND window) { return window_class(window) == "#32770"; }

}  // namespace

const std::string& editor_path() { return the_editor_path; }

void set_editor_path_from_host(const std::string& host_path) {
    // Wine shows the host's root as drive Z:.
    std::string path = host_path;
    std::replace(path.begin(), path.end(), '/', '\\');
    the_editor_path = path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

EditorUnderTest::~EditorUnderTest() {
    if (hook_) UnhookWindowsHookEx(hook_);
    program_.terminate();
    if (block_) UnmapViewOfFile(block_);
    if (block_mapping_) CloseHandle(block_mapping_);
}

bool EditorUnderTest::start(const std::string& arguments, const std::string& current_directory,
                            const std::string& exe) {
    std::string command_line = quoted(exe);
    if (!arguments.empty()) command_line += " " + arguments;
    program_ = start_program(command_line, current_directory);
    if (!program_.started()) return failed("cannot start " + command_line);
    // Generous: a fresh prefix on a loaded machine starts slowly.
    window_ = wait_for_window(program_.pid(), nullptr, main_window_title, 30000);
    if (!window_) return failed("no main window");
    edit_box_ = child_by_id(window_, edit_box_id);
    ui_thread_ = window_thread(window_);
    if (!edit_box_) return failed("no edit box");
    return attach_probe();
}

bool EditorUnderTest::failed(const std::string& what) {
    std::fprintf(stderr, "editor under test: %s (error %lu)\n", what.c_str(), GetLastError());
    return false;
}

bool EditorUnderTest::attach_probe() {
    const std::string name = MENU_PROBE_BLOCK_PREFIX + std::to_string(GetCurrentProcessId());
    if (!block_mapping_) {
        block_mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            sizeof(MenuProbeBlock), name.c_str());
        if (!block_mapping_) return failed("no shared block");
        block_ = MapViewOfFile(block_mapping_, FILE_MAP_WRITE, 0, 0, sizeof(MenuProbeBlock));
        if (!block_) return failed("cannot map the shared block");
    }
    HMODULE probe = LoadLibraryA((own_directory() + "\\menu_probe.dll").c_str());
    if (!probe) return failed("cannot load menu_probe.dll");
    auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(probe, MENU_PROBE_HOOK_NAME)));
    if (!hook) return failed("no hook in menu_probe.dll");
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, hook, probe, ui_thread_);
    if (!hook_) return failed("SetWindowsHookEx");
    return settle() || failed("the probe does not answer");
}

bool EditorUnderTest::ask_probe(std::string* text) {
    auto* block = static_cast<MenuProbeBlock*>(block_);
    if (!block) return false;
    block->font_child_id = edit_box_id;
    const LONG token = ++token_;
    static const UINT request = RegisterWindowMessageA(MENU_PROBE_REQUEST);
    if (!PostMessageA(window_, request, GetCurrentProcessId(), token)) return false;
    if (!wait_for([block, token] { return InterlockedCompareExchange(&block->answered_token, 0, 0) == token; },
                  10000)) {
        return false;
    }
    if (text) *text = block->text;
    return true;
}

bool EditorUnderTest::settle() { return ask_probe(nullptr); }

std::vector<MenuEntry> EditorUnderTest::menu_tree() {
    std::vector<MenuEntry> entries;
    std::string answer;
    if (!ask_probe(&answer)) return entries;
    std::string menu;
    for (const std::string& line : split(answer, '\n')) {
        const std::vector<std::string> fields = split(line, field);
        if (fields[0] == "M" && fields.size() == 3) {
            menu = fields[1];
        } else if (fields[0] == "S") {
            MenuEntry entry;
            entry.menu = menu;
            entry.separator = true;
            entries.push_back(entry);
        } else if (fields[0] == "I" && fields.size() == 4) {
            MenuEntry entry;
            entry.menu = menu;
            entry.caption = fields[1];
            entry.id = std::stoi(fields[2]);
            entry.enabled = (std::stoul(fields[3]) & (MFS_GRAYED | MFS_DISABLED)) == 0;
            entries.push_back(entry);
        }
    }
    return entries;
}

FontInfo EditorUnderTest::edit_box_font() {
    FontInfo font;
    std::string answer;
    if (!ask_probe(&answer)) return font;
    for (const std::string& line : split(answer, '\n')) {
        const std::vector<std::string> fields = split(line, field);
        if (fields[0] == "F" && fields.size() == 4) {
            font.face = fields[1];
            font.height = std::stoi(fields[2]);
            font.weight = std::stoi(fields[3]);
        }
    }
    return font;
}

MenuEntry EditorUnderTest::item(const std::string& caption) {
    for (const MenuEntry& entry : menu_tree()) {
        if (!entry.separator && before_tab(entry.caption) == caption) return entry;
    }
    return MenuEntry();
}

bool EditorUnderTest::choose(const std::string& caption) {
    const MenuEntry entry = item(caption);
    if (entry.id == 0) return false;
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
    return settle();
}

void EditorUnderTest::post_key(UINT virtual_key) { tlq::test::post_key(window_, virtual_key); }

std::string EditorUnderTest::text() const { return window_text(edit_box_); }

bool EditorUnderTest::edit_box_enabled() const { return IsWindowEnabled(edit_box_) != FALSE; }

void EditorUnderTest::type(const std::string& text) {
    post_chars(edit_box_, text);
    settle();
}

void EditorUnderTest::replace_text_as_user(const std::string& text) {
    set_window_text(edit_box_, text);
    type("x\b");
}

std::vector<HWND> EditorUnderTest::ui_dialogs() const {
    std::vector<HWND> dialogs;
    for (HWND window : thread_windows(ui_thread_)) {
        if (is_dialog(window)) dialogs.push_back(window);
    }
    return dialogs;
}

std::vector<HWND> EditorUnderTest::all_dialogs() const { return dialogs_of(program_.pid()); }

HWND EditorUnderTest::wait_for_ui_dialog(DWORD timeout_ms) const {
    return wait_for_thread_dialog(ui_thread_, timeout_ms);
}

std::vector<HWND> EditorUnderTest::run_boxes() const {
    std::vector<HWND> boxes;
    for (HWND dialog : all_dialogs()) {
        if (window_thread(dialog) != ui_thread_) boxes.push_back(dialog);
    }
    return boxes;
}

HWND EditorUnderTest::wait_for_run_box(DWORD timeout_ms) const {
    HWND box = nullptr;
    wait_for(
        [&] {
            const std::vector<HWND> boxes = run_boxes();
            if (boxes.empty()) return false;
            box = boxes.front();
            return true;
        },
        timeout_ms);
    return box;
}

bool EditorUnderTest::choose_with_file(const std::string& caption, const std::string& path) {
    if (!choose(caption)) return false;
    HWND dialog = wait_for_ui_dialog();
    return dialog && fill_file_dialog(dialog, path) && wait_until_gone(dialog) && settle();
}

void EditorUnderTest::ask_to_close() { PostMessageA(window_, WM_CLOSE, 0, 0); }

std::string seal_script(const std::string& text) {
    const Bytes sealed = seal(Bytes(text.data(), text.size()), kFileKey);
    return std::string(sealed.c_str(), sealed.size());
}

bool unseal_script(const std::string& sealed, std::string& text) {
    const Bytes payload = unseal(Bytes(sealed.data(), sealed.size()), kFileKey);
    text.assign(payload.c_str(), payload.size());
    return !payload.empty() || sealed.empty();
}

std::string debug_folder() { return temp_directory() + "tlqscript_debug"; }

std::vector<std::string> debug_files() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((debug_folder() + "\\XDV*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tlq::test
