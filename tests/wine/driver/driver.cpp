#include "driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

namespace tlq {
namespace test {

namespace {

const UINT send_timeout_ms = 2000;

ULONGLONG now_ms() { return GetTickCount64(); }

// Handles messages sent or posted to the test's own windows while it waits,
// so a program that sends to the test cannot hang it.
void pump_own_messages(DWORD wait_ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool same_ascii_ignoring_case(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// The test's own standard handles are the test runner's pipes: a child must
// never inherit them, or the runner waits for the child's end.
void keep_own_std_handles_private() {
    const DWORD ids[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (DWORD id : ids) {
        HANDLE handle = GetStdHandle(id);
        if (handle && handle != INVALID_HANDLE_VALUE) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    }
}

HANDLE open_nul_device() {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inheritable, OPEN_EXISTING, 0, nullptr);
}

struct WindowSearch {
    DWORD pid;
    const char* class_name;
    const char* title;
    bool visible_only;
    std::vector<HWND> found;
};

std::string caption_of(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool window_matches(HWND window, const WindowSearch& search) {
    if (search.visible_only && !IsWindowVisible(window)) return false;
    if (search.pid != 0 && window_process(window) != search.pid) return false;
    if (search.class_name && window_class(window) != search.class_name) return false;
    if (search.title && caption_of(window) != search.title) return false;
    return true;
}

BOOL CALLBACK collect_matching(HWND window, LPARAM context) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    if (window_matches(window, search)) search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collect_all(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

bool is_icon_static(HWND window) {
    if (window_class(window) != "Static" || !IsWindowVisible(window)) return false;
    return (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

struct IconCandidate {
    BoxIcon icon;
    LPCSTR resource;
};

const IconCandidate icon_candidates[] = {
    {BoxIcon::error, IDI_ERROR},
    {BoxIcon::question, IDI_QUESTION},
    {BoxIcon::warning, IDI_WARNING},
    {BoxIcon::information, IDI_INFORMATION},
};

// Pixels of an icon drawn on the dialog face colour, as the static draws it.
std::vector<COLORREF> rendered_icon(HICON icon, int width, int height) {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_3DFACE));
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Pixels of a window as they are on the screen (the box is in front).
std::vector<COLORREF> screen_pixels(HWND window, int width, int height) {
    std::vector<COLORREF> pixels;
    RECT rect;
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

size_t differing_pixels(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    size_t count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

// Icons of another process have handles of their own: compare what the box
// shows with each system icon drawn here.
BoxIcon icon_by_pixels_once(HWND icon_static) {
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    const std::vector<COLORREF> shown = screen_pixels(icon_static, width, height);
    BoxIcon best = BoxIcon::unknown;
    size_t best_difference = shown.size() / 20 + 1;  // tolerate a few stray pixels
    for (const IconCandidate& candidate : icon_candidates) {
        const size_t difference =
            differing_pixels(shown, rendered_icon(LoadIconA(nullptr, candidate.resource), width, height));
        if (difference < best_difference) {
            best_difference = difference;
            best = candidate.icon;
        }
    }
    return best;
}

// A box that has just appeared may not be painted yet: look again briefly.
BoxIcon icon_by_pixels(HWND icon_static) {
    BoxIcon icon = BoxIcon::unknown;
    wait_for([&] { return (icon = icon_by_pixels_once(icon_static)) != BoxIcon::unknown; }, 1000, 50);
    return icon;
}

}  // namespace

// ---- Processes -------------------------------------------------------------

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : pid_(other.pid_), process_(other.process_) {
    other.pid_ = 0;
    other.process_ = nullptr;
}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
    if (this != &other) {
        terminate();
        pid_ = other.pid_;
        process_ = other.process_;
        other.pid_ = 0;
        other.process_ = nullptr;
    }
    return *this;
}

RunningProgram::~RunningProgram() { terminate(); }

bool RunningProgram::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::wait_for_exit(DWORD timeout_ms, DWORD* exit_code) const {
    if (!process_) return false;
    const bool ended = wait_for([this] { return !running(); }, timeout_ms, 5);
    if (ended && exit_code) GetExitCodeProcess(process_, exit_code);
    return ended;
}

void RunningProgram::terminate() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

namespace {

bool create_process(const std::string& command_line, const std::string& current_directory,
                    PROCESS_INFORMATION& info) {
    HANDLE nul = open_nul_device();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    std::vector<char> writable(command_line.begin(), command_line.end());
    writable.push_back('\0');
    const BOOL created = CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        current_directory.empty() ? nullptr : current_directory.c_str(),
                                        &startup, &info);
    const DWORD error = GetLastError();
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    SetLastError(error);
    return created != FALSE;
}

// A missing program stays missing; anything else may be Wine losing a new
// process before it has started, which happens now and then on a busy machine.
bool worth_another_try(DWORD error) {
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_BAD_EXE_FORMAT;
}

}  // namespace

RunningProgram start_program(const std::string& command_line, const std::string& current_directory) {
    keep_own_std_handles_private();
    const int attempts = 3;
    PROCESS_INFORMATION info = {};
    for (int attempt = 1;; ++attempt) {
        if (create_process(command_line, current_directory, info)) break;
        // GetLastError() keeps CreateProcessA's error for the test's message.
        if (attempt == attempts || !worth_another_try(GetLastError())) return RunningProgram();
        Sleep(200);
    }
    CloseHandle(info.hThread);
    return RunningProgram(info.dwProcessId, info.hProcess);
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

bool wait_for(const std::function<bool()>& predicate, DWORD timeout_ms, DWORD poll_ms) {
    const ULONGLONG deadline = now_ms() + timeout_ms;
    for (;;) {
        if (predicate()) return true;
        if (now_ms() >= deadline) return false;
        pump_own_messages(poll_ms);
    }
}

std::vector<DWORD> processes_named(const std::string& exe_name) {
    std::vector<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (same_ascii_ignoring_case(entry.szExeFile, exe_name.c_str())) pids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return pids;
}

bool process_running(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// ---- Windows ---------------------------------------------------------------

std::string window_class(HWND window) {
    char name[256] = {0};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string window_text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, send_timeout_ms, &length)) {
        return std::string();
    }
    // Lengths of "A" texts may be estimates: leave room and trim to the copy.
    std::vector<char> buffer(length * 2 + 2, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, send_timeout_ms, &copied)) {
        return std::string();
    }
    return std::string(buffer.data(), std::min<size_t>(copied, std::strlen(buffer.data())));
}

bool set_window_text(HWND window, const std::string& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, send_timeout_ms, &result) &&
           result != FALSE;
}

DWORD window_process(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

DWORD window_thread(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

RECT window_rect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT client_rect(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

SIZE client_size(HWND window) {
    const RECT rect = client_rect(window);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<HWND> top_level_windows(DWORD pid, const char* class_name, const char* title, bool visible_only) {
    WindowSearch search{pid, class_name, title, visible_only, {}};
    EnumWindows(collect_matching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND find_window(DWORD pid, const char* class_name, const char* title) {
    const std::vector<HWND> found = top_level_windows(pid, class_name, title);
    return found.empty() ? nullptr : found.front();
}

HWND wait_for_window(DWORD pid, const char* class_name, const char* title, DWORD timeout_ms) {
    HWND window = nullptr;
    wait_for([&] { return (window = find_window(pid, class_name, title)) != nullptr; }, timeout_ms);
    return window;
}

std::vector<HWND> thread_windows(DWORD thread_id, bool visible_only) {
    std::vector<HWND> all;
    EnumThreadWindows(thread_id, collect_all, reinterpret_cast<LPARAM>(&all));
    if (!visible_only) return all;
    std::vector<HWND> visible;
    for (HWND window : all)
        if (IsWindowVisible(window)) visible.push_back(window);
    return visible;
}

bool wait_until_gone(HWND window, DWORD timeout_ms) {
    return wait_for([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

std::vector<HWND> child_windows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, collect_all, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND child_by_id(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND find_child(HWND parent, const char* class_name, const char* text) {
    for (HWND child : child_windows(parent)) {
        if (window_class(child) == class_name && (!text || window_text(child) == text)) return child;
    }
    return nullptr;
}

// ---- Message boxes and dialogs ----------------------------------------------

const char* icon_name(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::none: return "none";
    case BoxIcon::error: return "error";
    case BoxIcon::question: return "question";
    case BoxIcon::warning: return "warning";
    case BoxIcon::information: return "information";
    default: return "unknown";
    }
}

std::vector<HWND> dialogs_of(DWORD pid) { return top_level_windows(pid, "#32770"); }

HWND wait_for_dialog(DWORD pid, DWORD timeout_ms, const char* title) {
    return wait_for_window(pid, "#32770", title, timeout_ms);
}

HWND wait_for_thread_dialog(DWORD thread_id, DWORD timeout_ms) {
    HWND dialog = nullptr;
    wait_for(
        [&] {
            for (HWND window : thread_windows(thread_id)) {
                if (window_class(window) == "#32770") {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        timeout_ms);
    return dialog;
}

BoxIcon message_box_icon(HWND box) {
    HWND icon_static = nullptr;
    for (HWND child : child_windows(box)) {
        if (is_icon_static(child)) icon_static = child;
    }
    if (!icon_static) return BoxIcon::none;
    DWORD_PTR shown = 0;
    SendMessageTimeoutA(icon_static, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, send_timeout_ms, &shown);
    if (!shown) return BoxIcon::none;
    // A box of this process shares the system icon handles.
    for (const IconCandidate& candidate : icon_candidates) {
        if (reinterpret_cast<HICON>(shown) == LoadIconA(nullptr, candidate.resource)) return candidate.icon;
    }
    return icon_by_pixels(icon_static);
}

MessageBoxInfo read_message_box(HWND box) {
    // The box is found as soon as it exists; its texts are final once it is
    // shown (a loaded machine can be caught in between).
    wait_for([&] { return IsWindowVisible(box) || !IsWindow(box); }, 5000, 10);
    MessageBoxInfo info;
    info.window = box;
    info.title = caption_of(box);
    info.text = window_text(GetDlgItem(box, message_text_id));
    info.icon = message_box_icon(box);
    for (int id = IDOK; id <= IDNO; ++id) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) info.buttons.insert(id);
    }
    return info;
}

bool press_button(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

// A click that arrives while the box is still settling can be lost: press
// again until the box is gone.
bool answer_message_box(HWND box, int button_id, DWORD timeout_ms) {
    const ULONGLONG deadline = now_ms() + timeout_ms;
    do {
        if (!press_button(box, button_id)) return !IsWindow(box);
        if (wait_until_gone(box, 1000)) return true;
    } while (now_ms() < deadline);
    return false;
}

bool fill_file_dialog(HWND dialog, const std::string& full_path) {
    const int file_name_field = 0x47C;
    HWND field = GetDlgItem(dialog, file_name_field);
    if (!field) return false;
    if (!set_window_text(field, full_path)) return false;
    return press_button(dialog, IDOK);
}

// ---- Keys ------------------------------------------------------------------

void post_key(HWND window, UINT virtual_key) {
    const UINT scan = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    const LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    PostMessageA(window, WM_KEYDOWN, virtual_key, down);
    PostMessageA(window, WM_KEYUP, virtual_key, up);
}

void post_chars(HWND window, const std::string& text) {
    for (unsigned char byte : text) PostMessageA(window, WM_CHAR, byte, 1);
}

bool send_key_combination(HWND window, const std::vector<UINT>& modifiers, UINT virtual_key) {
    SetForegroundWindow(window);
    SetFocus(window);
    wait_for([window] { return GetForegroundWindow() == window; }, 1000);
    std::vector<INPUT> inputs;
    auto key = [&inputs](UINT vk, bool release) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (UINT modifier : modifiers) key(modifier, false);
    key(virtual_key, false);
    key(virtual_key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool send_ctrl_key(HWND window, UINT virtual_key) {
    return send_key_combination(window, {VK_CONTROL}, virtual_key);
}

// ---- Files -----------------------------------------------------------------

std::string own_directory() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            return path.substr(0, path.find_last_of('\\'));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string temp_directory() {
    char buffer[MAX_PATH + 2] = {0};
    GetTempPathA(sizeof buffer, buffer);
    std::string path = buffer;
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool file_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string read_file(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string content;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
    CloseHandle(file);
    return content;
}

bool write_file(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

ScratchFolder::ScratchFolder(const std::string& prefix) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = temp_directory() + prefix + "_" + std::to_string(GetCurrentProcessId()) +
                                      "_" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) remove_tree(path_);
}

bool remove_tree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

}  // namespace test
}  // namespace tlq
