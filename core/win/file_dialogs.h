// The platform's modal open and save file dialogs.
#pragma once

#include "../byte_string.h"

namespace tlq {

struct FileDialogSettings {
    Text filter;             // "desc|pattern", "||" appended when missing
    Text default_extension;  // without dot
};

// True when the user accepted; path receives the chosen full path. The
// incoming path is offered as the initial file name (pass "" for none);
// cancelled, it stays as it was.
bool show_open_dialog(void* owner, const FileDialogSettings& settings, Text& path);
bool show_save_dialog(void* owner, const FileDialogSettings& settings, Text& path);

}  // namespace tlq
