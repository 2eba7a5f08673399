// The common open and save dialogs (GetOpenFileNameA / GetSaveFileNameA).
#include "file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

namespace tlq {

namespace {

// Room for long paths: the dialog fails rather than cut a longer name.
const DWORD path_buffer_size = 32768;

// "desc|pattern|desc|pattern" becomes the zero-separated list the dialog
// wants, closed by two zeros. "|" may be a GBK trail byte: scan by characters.
Bytes dialog_filter(const Text& filter) {
    Bytes converted = filter;
    const size_t size = converted.size();
    if (size < 2 || converted[size - 1] != '|' || converted[size - 2] != '|') {
        converted.append("||", size > 0 && converted[size - 1] == '|' ? 1 : 2);
    }
    char* bytes = converted.data();
    for (size_t i = 0; bytes && i < converted.size(); ++i) {
        if (bytes[i] == '|') {
            bytes[i] = '\0';
        } else if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            ++i;
        }
    }
    return converted;
}

template <typename Show>
bool show_file_dialog(Show show, DWORD flags, void* owner, const FileDialogSettings& settings, Text& path) {
    Text buffer;
    if (!buffer.resize(path_buffer_size)) return false;
    // The incoming path is the dialog's initial file name when it fits.
    if (path.size() < path_buffer_size) CopyMemory(buffer.data(), path.c_str(), path.size());
    const Bytes filter = settings.filter.empty() ? Bytes() : dialog_filter(settings.filter);

    OPENFILENAMEA dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = static_cast<HWND>(owner);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = path_buffer_size;
    dialog.lpstrDefExt = settings.default_extension.empty() ? nullptr : settings.default_extension.c_str();
    dialog.Flags = flags;
    if (!show(&dialog)) return false;
    path = Text(buffer.c_str());
    return true;
}

}  // namespace

bool show_open_dialog(void* owner, const FileDialogSettings& settings, Text& path) {
    return show_file_dialog(GetOpenFileNameA, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                            owner, settings, path);
}

bool show_save_dialog(void* owner, const FileDialogSettings& settings, Text& path) {
    return show_file_dialog(GetSaveFileNameA, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                            owner, settings, path);
}

}  // namespace tlq
