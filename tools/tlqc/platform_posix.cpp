#include "platform.h"

#include <stdlib.h>
#include <unistd.h>

#include "file_services.h"

namespace tlq::tlqc {

std::vector<std::string> program_arguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string write_temporary_file(const Bytes& content) {
    const char* folder = getenv("TMPDIR");
    std::string path = join_path(folder && *folder ? folder : "/tmp", "tlqcXXXXXX");
    const int fd = mkstemp(&path[0]);  // mode 0600
    if (fd < 0) return std::string();
    close(fd);
    if (!write_whole_file(Text(path.c_str()), content)) {
        unlink(path.c_str());
        return std::string();
    }
    return path;
}

void remove_temporary_file(const std::string& path) {
    if (!path.empty()) unlink(path.c_str());
}

bool message_boxes_available() { return false; }

void show_message_box(const Text&, const Text*) {}

}  // namespace tlq::tlqc
