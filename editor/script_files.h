// Script files: the script text sealed with the file key.
#pragma once

#include "byte_string.h"

namespace tlq::editor {

enum class ScriptLoad {
    loaded,      // text holds the script (a 0-byte file is an empty script)
    missing,     // no such file
    unreadable,  // there, but could not be read (a folder, locked, too large)
    foreign,     // bytes that do not unseal with the file key
};

ScriptLoad load_script(const Text& path, Text& text);
// Writes beside the target first, so a failed write leaves the old file whole.
bool store_script(const Text& path, const Text& text);

}  // namespace tlq::editor
