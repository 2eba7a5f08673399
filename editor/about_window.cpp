// The About window: version, links, legal notice, and the joke stages behind
// the bottom labels. Modeless and single; all state lives with the window
// except the access code, which the editor keeps until it exits.
#include "about_window.h"

#include <windows.h>
#include <shellapi.h>

#include <string.h>

#include "about_stages.h"
#include "editor_access.h"
#include "flat_control_style.h"
#include "random.h"
#include "text_ops.h"
#include "win/ask_text.h"
#include "win/processes.h"

namespace tlq::editor {

namespace {

const unsigned char about_picture_bmp[] = {
#include "../resources/about_picture_bmp.inc"
};

const char window_class_name[] = "TlqScriptAbout";
const char window_caption[] = "关于 - TlqScript";
const int outer_width = 408;
const int outer_height = 333;

const char version_text[] = "版本: 1.4";
const char home_label_text[] = "主页:";
const char home_page[] = "https://taliqscript.cn";
const char mail_label_text[] = "邮箱:";
const char mail_address[] = "tlq@taliqscript.cn";
const char legal_notice[] =
    "Taliq Script 是免费软件。您可以自由地使用、复制和分发本程序，但不得将其用于任何违法用途，"
    "也不得出售本程序或冒用其名称。\r\n\r\n"
    "本程序按“原样”提供，不附带任何明示或暗示的担保。因使用本程序或用它编写的脚本而造成的任何损失，"
    "作者概不负责。使用本程序即表示您同意以上条款。";
const char hidden_information_text[] = "点击这里查看隐藏信息";
const char stage_notice[] = "本软件永久免费";
const char ok_text[] = "确定";

const char secret_code_prompt[] = "Type the secret code";
const char secret_code_title[] = "secret code";
const char secret_code[] = "purplefox_walk";
const char camera_command[] = "explorer microsoft.windows.camera:";

const int first_countdown = 10;
const int stage_label_left = 32;
const int stage_label_top = 272;
const UINT sliding_period_ms = 100;
const UINT jumping_period_ms = 325;
// The jumping label keeps this far from the right and bottom edges.
const int jumping_margin = 50;

enum TimerId : UINT_PTR { sliding_timer = 1, jumping_timer = 2 };

struct Placement {
    int left, top, width, height;
};

// The editor's access code outlives every About window.
Text the_access_code;

struct AboutWindow {
    HWND window = nullptr;
    HWND picture = nullptr;          // 图片框1
    HWND version_label = nullptr;    // 标签3
    HWND home_label = nullptr;       // 标签1
    HWND home_link = nullptr;        // 超级链接框1
    HWND mail_label = nullptr;       // 标签2
    HWND mail_link = nullptr;        // 超级链接框2
    HWND notice_box = nullptr;       // 编辑框1
    HWND hidden_info_label = nullptr;// 标签5
    HWND stage_label = nullptr;      // 标签4
    HWND ok_button = nullptr;        // 按钮1
    HWND focus_while_inactive = nullptr;
    HBITMAP picture_bitmap = nullptr;
    HFONT font = nullptr;
    HFONT link_font = nullptr;
    int countdown = first_countdown;
    int stage = 0;
    UINT sliding_period = 0;   // eastereggluandong_time
    UINT jumping_period = 0;   // eastereggluanchuan_time
};

AboutWindow* the_about = nullptr;

// ---- Building the window ----------------------------------------------------

HBITMAP load_picture()
{
    BITMAPFILEHEADER file;
    BITMAPINFO info = {};
    if (sizeof about_picture_bmp < sizeof file + sizeof info.bmiHeader) return nullptr;
    memcpy(&file, about_picture_bmp, sizeof file);
    memcpy(&info.bmiHeader, about_picture_bmp + sizeof file, sizeof info.bmiHeader);
    if (file.bfOffBits >= sizeof about_picture_bmp) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, about_picture_bmp + file.bfOffBits, &info,
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void create_fonts(AboutWindow& about)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTA face = {};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        face = metrics.lfMessageFont;
    else
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    about.font = CreateFontIndirectA(&face);
    face.lfUnderline = TRUE;
    about.link_font = CreateFontIndirectA(&face);
}

HWND add_control(AboutWindow& about, const char* class_name, const char* text, DWORD style, DWORD extended_style,
                 const Placement& at, HFONT font)
{
    HWND control = CreateWindowExA(extended_style, class_name, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                   at.left, at.top, at.width, at.height, about.window, nullptr, app_instance(),
                                   nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void create_controls(AboutWindow& about)
{
    create_fonts(about);
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD clickable = label | SS_NOTIFY;

    about.picture = add_control(about, "STATIC", "", SS_BITMAP | SS_CENTERIMAGE, 0, {24, 8, 128, 128}, about.font);
    about.picture_bitmap = load_picture();
    SendMessageA(about.picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(about.picture_bitmap));
    SetWindowPos(about.picture, nullptr, 24, 8, 128, 128, SWP_NOZORDER | SWP_NOACTIVATE);

    about.version_label = add_control(about, "STATIC", version_text, label, 0, {256, 8, 120, 24}, about.font);
    about.home_label = add_control(about, "STATIC", home_label_text, label, 0, {176, 48, 32, 24}, about.font);
    about.home_link = add_control(about, "STATIC", home_page, clickable, 0, {214, 48, 160, 24}, about.link_font);
    about.mail_label = add_control(about, "STATIC", mail_label_text, label, 0, {176, 80, 32, 24}, about.font);
    about.mail_link = add_control(about, "STATIC", mail_address, clickable, 0, {208, 80, 112, 24}, about.link_font);
    about.notice_box = add_control(about, "EDIT", legal_notice,
                                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                                   WS_EX_CLIENTEDGE, {24, 144, 368, 128}, about.font);
    about.hidden_info_label =
        add_control(about, "STATIC", hidden_information_text, clickable, 0, {24, 272, 136, 32}, about.font);
    // Right-aligned, so its notice shows beside the hidden-information label
    // that lies on top of it.
    about.stage_label = add_control(about, "STATIC", stage_notice, clickable | SS_RIGHT, 0,
                                    {stage_label_left, stage_label_top, 216, 32}, about.font);
    about.ok_button = add_control(about, "BUTTON", ok_text, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {336, 272, 56, 32},
                                  about.font);
    SetWindowLongPtrA(about.ok_button, GWLP_ID, IDOK);

    // The hidden-information label on top, the stage label right under it
    // and above everything else, so a moving stage label stays in sight.
    SetWindowPos(about.hidden_info_label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(about.stage_label, about.hidden_info_label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- Helpers acting on the controls ------------------------------------------

SIZE outer_size(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT position_in_window(HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top};
}

void move_control(HWND control, int left, int top)
{
    SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_stage_label_left(AboutWindow& about, int left)
{
    move_control(about.stage_label, left, position_in_window(about.stage_label).y);
}

void set_stage_label_top(AboutWindow& about, int top)
{
    move_control(about.stage_label, position_in_window(about.stage_label).x, top);
}

// Above 0 starts the timer, 0 stops it, the same period again changes nothing.
void set_timer_period(AboutWindow& about, TimerId timer, UINT period)
{
    UINT& current = timer == sliding_timer ? about.sliding_period : about.jumping_period;
    if (period == current) return;
    current = period;
    if (period > 0)
        SetTimer(about.window, timer, period, nullptr);
    else
        KillTimer(about.window, timer);
}

void show_seven_controls(AboutWindow& about, bool visible)
{
    const HWND controls[] = {about.notice_box, about.home_label, about.mail_label, about.version_label,
                             about.picture, about.home_link, about.mail_link};
    for (HWND control : controls) ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

// ---- What the user did -----------------------------------------------------

void on_created(AboutWindow& about)
{
    create_controls(about);
    about.countdown = first_countdown;
    about.stage = 0;
    switch_on_flat_control_style();
    seed_random();
    SetFocus(about.ok_button);
}

void on_next_stage(AboutWindow& about)
{
    const int counter = about.stage;
    const Stage& stage = about_stages[counter];
    if (stage.action == StageAction::open_camera) launch_command(camera_command, false);
    SetWindowTextA(about.stage_label, stage.caption);
    switch (stage.action) {
    case StageAction::start_sliding: set_timer_period(about, sliding_timer, sliding_period_ms); break;
    case StageAction::stop_sliding:
        set_timer_period(about, sliding_timer, 0);
        set_stage_label_left(about, stage_label_left);
        break;
    case StageAction::start_jumping: set_timer_period(about, jumping_timer, jumping_period_ms); break;
    case StageAction::stop_jumping:
        set_timer_period(about, jumping_timer, 0);
        set_stage_label_left(about, stage_label_left);
        set_stage_label_top(about, stage_label_top);
        break;
    case StageAction::hide_controls: show_seven_controls(about, false); break;
    case StageAction::show_controls: show_seven_controls(about, true); break;
    case StageAction::open_camera:
    case StageAction::none: break;
    }
    if (counter < last_stage) about.stage = counter + 1;
}

// Every press counts once; the second press of a double click arrives as
// the double-click notification and counts too.
void on_hidden_information_pressed(AboutWindow& about)
{
    if (about.countdown > 0) {
        --about.countdown;
        const Text caption = Text("还剩") + int_to_text(about.countdown) + "次即可查看";
        SetWindowTextA(about.hidden_info_label, caption.c_str());
        if (about.countdown > 0) return;
    }
    ShowWindow(about.hidden_info_label, SW_HIDE);
}

void on_secret_code_asked(AboutWindow& about)
{
    const Text prompt(secret_code_prompt);
    const Text title(secret_code_title);
    const Text initial = the_access_code;
    // On Cancel the access code keeps its earlier value, accepted or not.
    ask_text(&prompt, &title, &initial, the_access_code, 1, about.window);
    if (the_about != &about) return;  // closed while the prompt was open
    if (the_access_code != Text(secret_code)) return;
    ShowWindow(about.hidden_info_label, SW_HIDE);
    on_next_stage(about);
}

void on_sliding_tick(AboutWindow& about)
{
    set_stage_label_left(about, random_in_range(0, outer_size(about.window).cx));
}

void on_jumping_tick(AboutWindow& about)
{
    const SIZE outer = outer_size(about.window);
    set_stage_label_left(about, random_in_range(0, outer.cx - jumping_margin));
    set_stage_label_top(about, random_in_range(0, outer.cy - jumping_margin));
}

void open_link(HWND owner, const Text& target)
{
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void on_control_notified(AboutWindow& about, HWND control, int notification)
{
    if (control == about.hidden_info_label && (notification == STN_CLICKED || notification == STN_DBLCLK))
        on_hidden_information_pressed(about);
    else if (control == about.stage_label && notification == STN_DBLCLK)
        on_next_stage(about);
    else if (control == about.home_link && notification == STN_CLICKED)
        open_link(about.window, home_page);
    else if (control == about.mail_link && notification == STN_CLICKED)
        open_link(about.window, Text("mailto:") + mail_address);
    else if (control == about.ok_button && notification == BN_CLICKED)
        PostMessageA(about.window, WM_CLOSE, 0, 0);  // after the click is handled
}

void on_activated(AboutWindow& about, WPARAM state)
{
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(about.window, focus)) about.focus_while_inactive = focus;
        return;
    }
    HWND focus = about.focus_while_inactive;
    SetFocus(focus && IsWindow(focus) && IsWindowVisible(focus) ? focus : about.ok_button);
}

void on_destroyed(AboutWindow* about)
{
    KillTimer(about->window, sliding_timer);
    KillTimer(about->window, jumping_timer);
    if (about->picture_bitmap) DeleteObject(about->picture_bitmap);
    if (about->font) DeleteObject(about->font);
    if (about->link_font) DeleteObject(about->link_font);
    if (the_about == about) the_about = nullptr;
    delete about;
}

LRESULT CALLBACK about_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* about = static_cast<AboutWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        about->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(about));
    }
    auto* about = reinterpret_cast<AboutWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!about) return DefWindowProcA(window, message, wparam, lparam);

    switch (message) {
    case WM_CREATE: on_created(*about); return 0;
    case WM_COMMAND:
        if (lparam) on_control_notified(*about, reinterpret_cast<HWND>(lparam), HIWORD(wparam));
        return 0;
    case WM_TIMER:
        if (wparam == sliding_timer) on_sliding_tick(*about);
        if (wparam == jumping_timer) on_jumping_tick(*about);
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_F2) on_secret_code_asked(*about);
        return 0;
    case WM_CTLCOLORSTATIC: {
        HWND control = reinterpret_cast<HWND>(lparam);
        if (control == about->home_link || control == about->mail_link) {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, RGB(0, 0, 238));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    case WM_SETCURSOR: {
        HWND control = reinterpret_cast<HWND>(wparam);
        if (control == about->home_link || control == about->mail_link) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    }
    case WM_ACTIVATE: on_activated(*about, wparam); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        on_destroyed(about);
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_about_class()
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = about_window_procedure;
    window_class.hInstance = app_instance();
    window_class.hIcon = LoadIconA(app_instance(), MAKEINTRESOURCEA(1));
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = window_class_name;
    registered = RegisterClassExA(&window_class) != 0;
    return registered;
}

void bring_to_front(HWND window)
{
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

}  // namespace

void show_about_window()
{
    if (the_about) {
        bring_to_front(the_about->window);
        return;
    }
    if (!register_about_class()) return;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - outer_width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - outer_height) / 2;
    auto* about = new AboutWindow;
    the_about = about;
    HWND window = CreateWindowExA(0, window_class_name, window_caption, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  left, top, outer_width, outer_height, main_window(), nullptr, app_instance(), about);
    if (!window) {
        // WM_DESTROY freed it if creation got that far.
        if (the_about == about) {
            the_about = nullptr;
            delete about;
        }
        return;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

bool about_window_handles_message(void* message)
{
    MSG* msg = static_cast<MSG*>(message);
    if (!the_about || !msg || !msg->hwnd) return false;
    HWND window = the_about->window;
    if (msg->hwnd != window && !IsChild(window, msg->hwnd)) return false;
    // F2 wherever the focus is in the window: on itself, the button or the notice.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
        on_secret_code_asked(*the_about);
        return true;
    }
    return IsDialogMessageA(window, msg) != 0;
}

}  // namespace tlq::editor
