// The About window (being completed).
#include "about_window.h"

#include <windows.h>

namespace tlq::editor {

void show_about_window() {}

bool about_window_handles_message(void* msg)
{
    (void)msg;
    return false;
}

}  // namespace tlq::editor
