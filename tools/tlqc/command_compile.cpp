// `tlqc compile FILE [-o DIR] [--no-launcher]`: the code file and the named
// project launcher, the same bytes and names the editor's Compile writes.
#include <string>

#include "commands.h"
#include "console.h"
#include "exit_status.h"
#include "file_services.h"
#include "launcher_image.h"
#include "native_text.h"
#include "platform.h"
#include "project_build.h"
#include "script_input.h"
#include "text_ops.h"

namespace tlq::tlqc {

namespace {

const char kCodeExtension[] = ".tlqcode";
const char kLauncherExtension[] = ".exe";

// Replaces the file only once the new bytes are written whole.
bool write_output(const std::string& path, const Bytes& content) {
    if (!replace_file_safely(Text(path.c_str()), content)) {
        print_error("cannot write '" + path + "'");
        return false;
    }
    print_line("wrote " + path);
    return true;
}

std::string shown_name(const Text& name) { return "'" + native_from_gbk(name) + "'"; }

int write_launcher(const std::string& path, const Text& name, const NameCheck& check) {
    const Bytes image = project_launcher_image();
    if (image.empty()) {
        print_error("no launcher written: this tlqc was built without the project launcher image");
        return exit_ok;
    }
    if (check.verdict == NameVerdict::too_long) {
        print_error("no launcher written: the program name " + shown_name(name) + " is " +
                    std::to_string(byte_length(name)) + " bytes, and the launcher holds at most " +
                    std::to_string(kNameFieldSize));
        return exit_name_refused;
    }
    const Bytes launcher = launcher_for(image, name);
    if (launcher.empty()) {
        print_error("no launcher written: the built-in launcher image has no name field");
        return exit_output_failed;
    }
    return write_output(path, launcher) ? exit_ok : exit_output_failed;
}

}  // namespace

int compile_command(const Invocation& invocation) {
    RecognisedScript script;
    int status = exit_ok;
    if (!load_script(invocation.files[0], script, status)) return status;
    const Text name = program_name_of(script.text);
    const NameCheck check = check_program_name(name);
    std::string file_name;
    if (check.verdict == NameVerdict::invalid) {
        print_error("nothing written: the program name " + shown_name(name) + " is not a valid file name: " +
                    native_from_gbk(check.reason));
        return exit_name_refused;
    }
    if (!exact_native_from_gbk(name, file_name)) {
        print_error("nothing written: the program name " + shown_name(name) +
                    " cannot be written as a file name on this system");
        return exit_name_refused;
    }
    const std::string& folder = invocation.output_dir;
    if (!write_output(join_path(folder, file_name + kCodeExtension), code_file_content(script.text))) {
        return exit_output_failed;
    }
    if (invocation.no_launcher) return exit_ok;
    return write_launcher(join_path(folder, file_name + kLauncherExtension), name, check);
}

}  // namespace tlq::tlqc
