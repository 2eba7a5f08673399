// Whole-file operations; implemented once per platform (core/win, core/posix).
#pragma once

#include "byte_string.h"

namespace tlq {

enum class ShareMode { read_only, read_write };

// Empty for an empty path, a missing or unreadable file.
Bytes read_whole_file(const Text& path, ShareMode share = ShareMode::read_only);
// Creates or truncates; the parts are written one after another.
bool write_whole_file(const Text& path, const Bytes& content);
bool write_whole_file(const Text& path, const Bytes& first, const Bytes& second);
bool remove_file(const Text& path);
bool make_directory(const Text& path);
// Writes a new file beside the target and then replaces the target, so a
// failed write leaves the old file whole.
bool replace_file_safely(const Text& path, const Bytes& content);
bool file_exists(const Text& path);  // exact path, file or folder

}  // namespace tlq
