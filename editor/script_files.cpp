// Reading and writing sealed script files. read_whole_file gives no bytes for
// an empty file and for a failure alike, so the file's size tells them apart.
#include "script_files.h"

#include <windows.h>

#include "file_services.h"
#include "key_texts.h"
#include "sealed_file.h"
#include "text_ops.h"

namespace tlq::editor {

namespace {

enum class FileKind { missing, folder, empty_file, non_empty_file };

FileKind file_kind(const Text& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return FileKind::missing;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::folder;
    const bool empty = data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
    return empty ? FileKind::empty_file : FileKind::non_empty_file;
}

}  // namespace

ScriptLoad load_script(const Text& path, Text& text) {
    const FileKind kind = file_kind(path);
    if (kind == FileKind::missing) return ScriptLoad::missing;
    if (kind == FileKind::folder) return ScriptLoad::unreadable;
    if (kind == FileKind::empty_file) {
        text = Text();
        return ScriptLoad::loaded;
    }
    const Bytes sealed = read_whole_file(path);
    if (sealed.empty()) return ScriptLoad::unreadable;
    // An empty text seals to no bytes at all, so a non-empty file that
    // unseals to nothing is not one of our scripts.
    const Bytes payload = unseal(sealed, kFileKey);
    if (payload.empty()) return ScriptLoad::foreign;
    text = bytes_to_text(payload);
    return ScriptLoad::loaded;
}

bool store_script(const Text& path, const Text& text) {
    return replace_file_safely(path, seal(text_to_bytes(text), kFileKey));
}

}  // namespace tlq::editor
