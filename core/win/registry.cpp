// Registry values written through the "A" registry calls.
#include "registry.h"

#include <windows.h>
#include <shlobj.h>

namespace tlq {

namespace {

HKEY root_key(int root) {
    switch (root) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_CONFIG;
    case 4: return HKEY_LOCAL_MACHINE;
    case 5: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
    }
}

// Splits at the last "\" that is a whole character (a GBK trail byte may be
// 0x5C too). Without one, the key is the root itself.
void split_key_path(const Text& key_path, Text& key, Text& value_name) {
    size_t cut = key_path.size();
    for (size_t i = 0; i < key_path.size(); ++i) {
        if (key_path[i] == '\\') {
            cut = i;
        } else if (key_path[i] >= 0x80) {
            ++i;
        }
    }
    if (cut == key_path.size()) {
        key = Text();
        value_name = key_path;
        return;
    }
    key = key_path.substr(0, cut);
    value_name = key_path.substr(cut + 1, key_path.size() - cut - 1);
}

HKEY open_for_writing(HKEY root, const Text& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) return opened;
    opened = nullptr;
    if (RegCreateKeyA(root, key.c_str(), &opened) == ERROR_SUCCESS) return opened;
    return nullptr;
}

bool write_value(int root, const Text& key_path, DWORD type, const void* data, size_t size) {
    if (size > 0xFFFFFFFFu) return false;
    Text key;
    Text value_name;
    split_key_path(key_path, key, value_name);
    HKEY opened = open_for_writing(root_key(root), key);
    if (!opened) return false;
    const LONG result = RegSetValueExA(opened, value_name.c_str(), 0, type,
                                       static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

}  // namespace

bool registry_write(int root, const Text& key_path, const Text& value) {
    return write_value(root, key_path, REG_SZ, value.c_str(), value.size() + 1);
}

bool registry_write(int root, const Text& key_path, uint32_t value) {
    const DWORD number = value;
    return write_value(root, key_path, REG_DWORD, &number, sizeof number);
}

bool registry_write_binary(int root, const Text& key_path, const Bytes& value) {
    return write_value(root, key_path, REG_BINARY, value.bytes(), value.size());
}

void notify_associations_changed() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace tlq
