#include "directory_search.h"

#include <windows.h>

namespace tlq::launcher {

bool entry_found(const Text& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace tlq::launcher
