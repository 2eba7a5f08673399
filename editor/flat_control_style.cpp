// Flat look: buttons get BS_FLAT; edit boxes and drop-down lists trade the
// sunken 3-D edge for a one-pixel border; combo boxes and spin controls,
// which paint their own 3-D parts, are repainted flat after they paint.
// A thread hook catches controls created later, right after WM_CREATE.
#include "flat_control_style.h"

#include <windows.h>
#include <commctrl.h>

namespace tlq::editor {

namespace {

const char old_procedure_property[] = "TlqFlatStyleOldProc";

thread_local HHOOK creation_hook = nullptr;

enum class ControlKind { other, button, bordered_box, combo_box, spin };

ControlKind kind_of(HWND window)
{
    char name[32] = {};
    if (!GetClassNameA(window, name, sizeof name)) return ControlKind::other;
    if (lstrcmpiA(name, "Button") == 0) return ControlKind::button;
    if (lstrcmpiA(name, "Edit") == 0 || lstrcmpiA(name, "ComboLBox") == 0) return ControlKind::bordered_box;
    if (lstrcmpiA(name, "ComboBox") == 0) return ControlKind::combo_box;
    if (lstrcmpiA(name, "msctls_updown32") == 0) return ControlKind::spin;
    return ControlKind::other;
}

void flatten_button(HWND button)
{
    const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    if (style & BS_FLAT) return;
    SetWindowLongPtrA(button, GWL_STYLE, style | BS_FLAT);
    InvalidateRect(button, nullptr, TRUE);
}

void flatten_border(HWND box)
{
    const LONG_PTR extended = GetWindowLongPtrA(box, GWL_EXSTYLE);
    if (!(extended & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE))) return;
    SetWindowLongPtrA(box, GWL_EXSTYLE, extended & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    SetWindowLongPtrA(box, GWL_STYLE, GetWindowLongPtrA(box, GWL_STYLE) | WS_BORDER);
    SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A one-pixel shadow line with the window colour inside, over the 3-D edge.
void paint_flat_frame(HDC dc, RECT rect)
{
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&rect, -1, -1);
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
}

void paint_flat_combo_box(HWND combo)
{
    HDC dc = GetDC(combo);
    if (!dc) return;
    RECT client;
    GetClientRect(combo, &client);
    paint_flat_frame(dc, client);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info) && !IsRectEmpty(&info.rcButton)) {
        UINT state = DFCS_SCROLLCOMBOBOX | DFCS_FLAT;
        if (info.stateButton & STATE_SYSTEM_PRESSED) state |= DFCS_PUSHED;
        if (!IsWindowEnabled(combo)) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &info.rcButton, DFC_SCROLL, state);
    }
    ReleaseDC(combo, dc);
}

void paint_flat_spin(HWND spin)
{
    HDC dc = GetDC(spin);
    if (!dc) return;
    RECT first;
    GetClientRect(spin, &first);
    RECT second = first;
    const bool horizontal = (GetWindowLongPtrA(spin, GWL_STYLE) & UDS_HORZ) != 0;
    if (horizontal) {
        first.right = second.left = (first.left + first.right) / 2;
    } else {
        first.bottom = second.top = (first.top + first.bottom) / 2;
    }
    const UINT inactive = IsWindowEnabled(spin) ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &first, DFC_SCROLL, (horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | DFCS_FLAT | inactive);
    DrawFrameControl(dc, &second, DFC_SCROLL,
                     (horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | DFCS_FLAT | inactive);
    ReleaseDC(spin, dc);
}

// The control paints as usual, then its 3-D parts are painted over flat.
LRESULT CALLBACK repaint_flat_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto old_procedure = reinterpret_cast<WNDPROC>(GetPropA(window, old_procedure_property));
    if (!old_procedure) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_procedure));
        RemovePropA(window, old_procedure_property);
        return CallWindowProcW(old_procedure, window, message, wparam, lparam);
    }
    const LRESULT result = CallWindowProcW(old_procedure, window, message, wparam, lparam);
    if (message == WM_PAINT || message == WM_ENABLE || message == WM_LBUTTONUP) {
        if (kind_of(window) == ControlKind::spin)
            paint_flat_spin(window);
        else
            paint_flat_combo_box(window);
    }
    return result;
}

void repaint_flat(HWND window)
{
    if (GetPropA(window, old_procedure_property)) return;
    const LONG_PTR old_procedure =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(repaint_flat_procedure));
    if (!old_procedure) return;
    SetPropA(window, old_procedure_property, reinterpret_cast<HANDLE>(old_procedure));
    InvalidateRect(window, nullptr, TRUE);
}

void flatten(HWND window)
{
    switch (kind_of(window)) {
    case ControlKind::button: flatten_button(window); break;
    case ControlKind::bordered_box: flatten_border(window); break;
    case ControlKind::combo_box:
        flatten_border(window);
        repaint_flat(window);
        break;
    case ControlKind::spin: repaint_flat(window); break;
    case ControlKind::other: break;
    }
}

BOOL CALLBACK flatten_child(HWND child, LPARAM)
{
    flatten(child);
    return TRUE;
}

BOOL CALLBACK flatten_thread_window(HWND window, LPARAM)
{
    flatten(window);
    EnumChildWindows(window, flatten_child, 0);
    return TRUE;
}

LRESULT CALLBACK after_window_procedure(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
        if (call->message == WM_CREATE && call->lResult != -1) flatten(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void switch_on_flat_control_style()
{
    if (!creation_hook)
        creation_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, after_window_procedure, nullptr, GetCurrentThreadId());
    EnumThreadWindows(GetCurrentThreadId(), flatten_thread_window, 0);
}

}  // namespace tlq::editor
