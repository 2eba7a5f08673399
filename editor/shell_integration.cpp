// Installs the code launcher into the user's application-data folder and
// registers the script and code file types for the current user.
#include "shell_integration.h"

#include "file_services.h"
#include "launcher_images.h"
#include "win/registry.h"
#include "win/system_paths.h"

namespace tlq::editor {

namespace {

// Per-user classes: the shell merges them into the classes root, and a
// user without administrator rights may write them.
constexpr int kCurrentUser = 3;
const char kClassesKey[] = "Software\\Classes\\";
const char kDescription[] = "Taliq批处理文件";

// The four default values of one file type, in order; the first failed
// write ends this type. Both paths are quoted so that paths with spaces open.
bool register_file_type(const Text& extension, const Text& icon_source, const Text& opener) {
    const Text classes(kClassesKey);
    const Text type_class = extension + "file";
    return registry_write(kCurrentUser, classes + "." + extension + "\\", type_class) &&
           registry_write(kCurrentUser, classes + type_class + "\\", kDescription) &&
           registry_write(kCurrentUser, classes + type_class + "\\DefaultIcon\\",
                          icon_source + ",0") &&
           registry_write(kCurrentUser, classes + type_class + "\\shell\\open\\command\\",
                          Text("\"") + opener + "\" \"%1\"");
}

}  // namespace

void install_and_register() {
    const Text install_folder = special_folder_path(8) + "TlqScript";
    make_directory(install_folder);
    make_directory(install_folder + "\\help");
    const Text code_launcher = install_folder + "\\tlqrun.exe";
    write_whole_file(code_launcher, Bytes(kCodeLauncherImage, kCodeLauncherImageSize));
    const Text editor_path = program_directory() + "\\" + program_file_name();
    register_file_type("tlqcode", editor_path, code_launcher);
    register_file_type("tqspt", editor_path, editor_path);
    notify_associations_changed();
}

}  // namespace tlq::editor
