// The modeless, single About window.
#pragma once

namespace tlq::editor {

void show_about_window();
// Lets the editor's message loop route dialog keys to the About window.
bool about_window_handles_message(void* msg);

}  // namespace tlq::editor
