// The menu tree, captions with a tab and the shortcut's name, and the
// accelerator table that gives those shortcuts their keys.
#include "menu_bar.h"

#include "menu_ids.h"

namespace tlq::editor {

namespace {

struct MenuItem {
    const char* caption;  // nullptr: separator
    int id;
    bool initially_enabled;
};

struct Menu {
    const char* caption;
    const MenuItem* items;
    int count;
};

const MenuItem file_items[] = {
    {"新建\tCtrl+N", cmd_new, true},
    {"打开\tCtrl+O", cmd_open, true},
    {"保存\tCtrl+S", cmd_save, true},
    {"另存为\tCtrl+F1", cmd_save_as, true},
    {nullptr, 0, true},
    {"删除项目", cmd_delete_project, true},
};
const MenuItem run_items[] = {
    {"开始运行\tF5", cmd_start_run, true},
    {"终止运行\tCtrl+F5", cmd_stop_run, false},
};
const MenuItem compile_items[] = {
    {"编译项目\tF7", cmd_compile, true},
};
const MenuItem about_items[] = {
    {"帮助主题", cmd_help_topics, true},
    {"关于TlqScript", cmd_about, true},
};

const Menu menus[] = {
    {"文件", file_items, sizeof file_items / sizeof file_items[0]},
    {"运行", run_items, sizeof run_items / sizeof run_items[0]},
    {"编译", compile_items, sizeof compile_items / sizeof compile_items[0]},
    {"关于", about_items, sizeof about_items / sizeof about_items[0]},
};

const ACCEL accelerators[] = {
    {FVIRTKEY | FCONTROL, 'N', cmd_new},
    {FVIRTKEY | FCONTROL, 'O', cmd_open},
    {FVIRTKEY | FCONTROL, 'S', cmd_save},
    {FVIRTKEY | FCONTROL, VK_F1, cmd_save_as},
    {FVIRTKEY, VK_F5, cmd_start_run},
    {FVIRTKEY | FCONTROL, VK_F5, cmd_stop_run},
    {FVIRTKEY, VK_F7, cmd_compile},
};

HMENU create_popup(const Menu& menu) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < menu.count; ++i) {
        const MenuItem& item = menu.items[i];
        if (!item.caption) {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = item.initially_enabled ? MF_ENABLED : MF_GRAYED;
        AppendMenuA(popup, MF_STRING | state, static_cast<UINT_PTR>(item.id), item.caption);
    }
    return popup;
}

}  // namespace

HMENU create_menu_bar() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : menus) {
        AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(create_popup(menu)),
                    menu.caption);
    }
    return bar;
}

HACCEL create_accelerators() {
    return CreateAcceleratorTableA(const_cast<ACCEL*>(accelerators),
                                   sizeof accelerators / sizeof accelerators[0]);
}

bool is_menu_command(int id) {
    for (const Menu& menu : menus) {
        for (int i = 0; i < menu.count; ++i) {
            if (menu.items[i].caption && menu.items[i].id == id) return true;
        }
    }
    return false;
}

bool menu_item_enabled(HWND window, int id) {
    const UINT state = GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void set_menu_item_enabled(HWND window, int id, bool enabled) {
    EnableMenuItem(GetMenu(window), static_cast<UINT>(id),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace tlq::editor
