// Hook DLL the editor tests load into the editor's window thread: answers a
// posted request with the menu tree of the window it was posted to.
#include <windows.h>

#include <string>

#include "menu_probe_protocol.h"

namespace {

const char field = '\x1F';

std::string item_caption(HMENU menu, int position) {
    char caption[512] = {0};
    GetMenuStringA(menu, static_cast<UINT>(position), caption, sizeof caption, MF_BYPOSITION);
    return caption;
}

void describe_items(HMENU popup, std::string& out) {
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out += "S\n";
            continue;
        }
        out += "I";
        out += field + item_caption(popup, i);
        out += field + std::to_string(info.wID);
        out += field + std::to_string(info.fState);
        out += "\n";
    }
}

void describe_font(HWND window, int child_id, std::string& out) {
    HWND child = GetDlgItem(window, child_id);
    HFONT font = child ? reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof description, &description)) return;
    out += "F";
    out += field + std::string(description.lfFaceName);
    out += field + std::to_string(description.lfHeight);
    out += field + std::to_string(description.lfWeight);
    out += "\n";
}

std::string describe(HWND window, int child_id) {
    std::string out;
    HMENU bar = GetMenu(window);
    const int count = bar ? GetMenuItemCount(bar) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU popup = GetSubMenu(bar, i);
        out += "M";
        out += field + item_caption(bar, i);
        out += field + std::to_string(popup ? GetMenuItemCount(popup) : 0);
        out += "\n";
        if (popup) describe_items(popup, out);
    }
    describe_font(window, child_id, out);
    return out;
}

void answer(HWND window, WPARAM test_process, LPARAM token) {
    const std::string name = MENU_PROBE_BLOCK_PREFIX + std::to_string(static_cast<DWORD>(test_process));
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping) return;
    auto* block = static_cast<MenuProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MenuProbeBlock)));
    if (block) {
        const std::string text = describe(window, static_cast<int>(block->font_child_id));
        const size_t size = text.size() < kMenuProbeTextSize - 1 ? text.size() : kMenuProbeTextSize - 1;
        CopyMemory(block->text, text.data(), size);
        block->text[size] = '\0';
        InterlockedExchange(&block->answered_token, static_cast<LONG>(token));
        UnmapViewOfFile(block);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK menu_probe_hook(int code, WPARAM wparam, LPARAM lparam) {
    static const UINT request = RegisterWindowMessageA(MENU_PROBE_REQUEST);
    MSG* message = reinterpret_cast<MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && message->message == request) {
        answer(message->hwnd, message->wParam, message->lParam);
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
