// Whole-file operations with the Windows file calls. Paths are GBK bytes and
// go to the "A" functions unchanged, so doubled separators are accepted the
// way Windows accepts them.
#include "../file_services.h"

#include <windows.h>

namespace tlq {

namespace {

// ReadFile takes 32-bit counts; a larger file is refused rather than cut.
const LONGLONG largest_readable_file = 0x7FFFFFFF;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool write_all(HANDLE file, const Bytes& part) {
    const unsigned char* next = part.bytes();
    size_t left = part.size();
    while (left > 0) {
        DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, next, chunk, &written, nullptr) || written == 0) return false;
        next += written;
        left -= written;
    }
    return true;
}

bool write_parts(const Text& path, const Bytes* const* parts, int count) {
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    for (int i = 0; i < count; ++i) {
        if (!write_all(file.get(), *parts[i])) return false;
    }
    return true;
}

}  // namespace

Bytes read_whole_file(const Text& path, ShareMode share) {
    Bytes content;
    if (path.empty()) return content;
    DWORD share_flags = FILE_SHARE_READ;
    if (share == ShareMode::read_write) share_flags |= FILE_SHARE_WRITE;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, share_flags, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return content;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > largest_readable_file) {
        return content;
    }
    const DWORD wanted = static_cast<DWORD>(size.QuadPart);
    if (!content.resize(wanted)) return Bytes();
    DWORD total = 0;
    while (total < wanted) {
        DWORD got = 0;
        if (!ReadFile(file.get(), content.data() + total, wanted - total, &got, nullptr)) {
            return Bytes();
        }
        if (got == 0) break;  // the file shrank meanwhile: keep what is there
        total += got;
    }
    content.resize(total);
    return content;
}

bool write_whole_file(const Text& path, const Bytes& content) {
    const Bytes* parts[1] = {&content};
    return write_parts(path, parts, 1);
}

bool write_whole_file(const Text& path, const Bytes& first, const Bytes& second) {
    const Bytes* parts[2] = {&first, &second};
    return write_parts(path, parts, 2);
}

bool remove_file(const Text& path) {
    return !path.empty() && DeleteFileA(path.c_str()) != FALSE;
}

bool make_directory(const Text& path) {
    return !path.empty() && CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool replace_file_safely(const Text& path, const Bytes& content) {
    if (path.empty()) return false;
    const Text fresh = path + ".tlqnew";
    if (!write_whole_file(fresh, content)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    if (!MoveFileExA(fresh.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}

bool file_exists(const Text& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace tlq
