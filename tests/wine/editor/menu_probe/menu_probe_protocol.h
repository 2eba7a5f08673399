// What the editor tests and the probe inside the editor agree on. Another
// process cannot read a window's menu under Wine, so the probe, a hook DLL
// loaded into the editor's window thread (WH_GETMESSAGE), reads it there.
#pragma once

#include <windows.h>

// Posted to the editor's main window: wParam the test's process id (which
// names the shared block), lParam a fresh token. Being posted, it is taken
// only after every message posted before it, so an answer also shows that
// the editor has dealt with those (or sits in a dialog they opened).
#define MENU_PROBE_REQUEST "TlqMenuProbeRequest"
#define MENU_PROBE_BLOCK_PREFIX "TlqMenuProbeBlock_"
#define MENU_PROBE_HOOK_NAME "menu_probe_hook"

const unsigned kMenuProbeTextSize = 65536;

struct MenuProbeBlock {
    volatile LONG answered_token;  // written last
    LONG font_child_id;            // whose font to describe
    // Zero-terminated records separated by '\n', fields by '\x1F' (captions
    // hold tabs):
    //   M <caption> <item count>          a menu of the menu bar
    //   I <caption> <id> <state flags>    an item of the last menu
    //   S                                 a separator
    //   F <face name> <height> <weight>   the font of child font_child_id
    char text[kMenuProbeTextSize];
};
