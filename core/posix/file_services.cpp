#include "file_services.h"

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tlq {

namespace {

// Writes the parts into a freshly created or truncated file; a short write
// or a failing close both count as failure.
bool write_parts(const Text& path, const Bytes* const* parts, size_t count) {
    if (path.empty()) return false;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = true;
    for (size_t i = 0; i < count && written; ++i) {
        const Bytes& part = *parts[i];
        if (!part.empty() && fwrite(part.data(), 1, part.size(), file) != part.size()) written = false;
    }
    if (fclose(file) != 0) written = false;
    return written;
}

}  // namespace

Bytes read_whole_file(const Text& path, ShareMode /*share: POSIX files are not locked*/) {
    Bytes content;
    if (path.empty()) return content;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return content;
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        fclose(file);
        return content;
    }
    // Read to the end rather than trusting the size: the file may grow.
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (!content.append(buffer, got)) break;
    }
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) content.clear();
    return content;
}

bool write_whole_file(const Text& path, const Bytes& content) {
    const Bytes* parts[] = {&content};
    return write_parts(path, parts, 1);
}

bool write_whole_file(const Text& path, const Bytes& first, const Bytes& second) {
    const Bytes* parts[] = {&first, &second};
    return write_parts(path, parts, 2);
}

bool remove_file(const Text& path) { return !path.empty() && unlink(path.c_str()) == 0; }

bool make_directory(const Text& path) { return !path.empty() && mkdir(path.c_str(), 0777) == 0; }

bool replace_file_safely(const Text& path, const Bytes& content) {
    if (path.empty()) return false;
    Text fresh = path + Text(".tlqnew");
    if (!write_whole_file(fresh, content)) {
        unlink(fresh.c_str());
        return false;
    }
    if (rename(fresh.c_str(), path.c_str()) != 0) {
        unlink(fresh.c_str());
        return false;
    }
    return true;
}

bool file_exists(const Text& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

}  // namespace tlq
