// One registry value per call.
#pragma once

#include <stdint.h>
#include "../byte_string.h"

namespace tlq {

// Root numbers: 1 classes root, 2 current configuration, 4 local machine,
// 5 users, anything else the current user. key_path is split at its last
// "\" into key and value name ("...\" names the default value).
bool registry_write(int root, const Text& key_path, const Text& value);
bool registry_write(int root, const Text& key_path, uint32_t value);
bool registry_write_binary(int root, const Text& key_path, const Bytes& value);
// Tells the shell that file associations changed.
void notify_associations_changed();

}  // namespace tlq
