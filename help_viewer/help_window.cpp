#include "help_window.h"

#include "help_site.h"
#include "network_probe.h"
#include "redirect_rule.h"
#include "win/message_box.h"

namespace tlq::help {

namespace {

const char window_class_name[] = "TlqScriptHelpViewer";
const char window_caption[] = "TlqScript - 帮助";
const int restored_left = 50;
const int restored_top = 50;
const int restored_width = 986;
const int restored_height = 617;
const RECT browser_start_rect = {0, 0, 816, 488};
const UINT_PTR resize_timer_id = 1;
const UINT resize_period_ms = 500;
// The browser is made a little narrower than the outer width; what still
// lies beyond the client area is clipped.
const int browser_width_allowance = 15;
const int program_icon_id = 1;

HICON load_program_icon(HINSTANCE instance, int size_metric)
{
    const int size = GetSystemMetrics(size_metric);
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(program_icon_id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

bool register_window_class(HINSTANCE instance)
{
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = HelpWindow::window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = load_program_icon(instance, SM_CXICON);
    window_class.hIconSm = load_program_icon(instance, SM_CXSMICON);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = window_class_name;
    return RegisterClassExA(&window_class) != 0;
}

}  // namespace

bool HelpWindow::create(HINSTANCE instance)
{
    if (!register_window_class(instance)) return false;
    window_ = CreateWindowExA(0, window_class_name, window_caption, WS_OVERLAPPEDWINDOW, restored_left,
                              restored_top, restored_width, restored_height, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void HelpWindow::show_maximised()
{
    ShowWindow(window_, SW_SHOWMAXIMIZED);
    UpdateWindow(window_);
}

void HelpWindow::check_network()
{
    if (!http_read(probe_address).empty()) return;
    const Text title("Error!");
    show_message("Network Error", MB_ICONERROR | MB_OK, &title);
    DestroyWindow(window_);
}

LRESULT CALLBACK HelpWindow::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HelpWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT HelpWindow::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        on_created();
        return 0;
    case WM_TIMER:
        if (wparam == resize_timer_id) on_resize_tick();
        return 0;
    case WM_DESTROY:
        on_destroyed();
        return 0;
    default:
        return DefWindowProcA(window_, message, wparam, lparam);
    }
}

void HelpWindow::on_created()
{
    SetTimer(window_, resize_timer_id, resize_period_ms, nullptr);
    // Without an engine the window still opens; it just stays empty.
    browser_.create(window_, browser_start_rect, start_page(), &HelpWindow::on_address_changed, this);
}

// Sized from the outer window on every tick, changed or not.
void HelpWindow::on_resize_tick()
{
    RECT outer;
    if (!GetWindowRect(window_, &outer)) return;
    browser_.set_width(outer.right - outer.left - browser_width_allowance);
    browser_.set_height(outer.bottom - outer.top);
}

void HelpWindow::on_address_changed(void* context, const std::string& address, uint32_t)
{
    auto* self = static_cast<HelpWindow*>(context);
    const std::string target = redirect_target(address);
    if (!target.empty()) self->browser_.navigate(target);
}

void HelpWindow::on_destroyed()
{
    KillTimer(window_, resize_timer_id);
    browser_.destroy();
    PostQuitMessage(0);
}

}  // namespace tlq::help
