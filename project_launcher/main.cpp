// The project launcher: finds the project's code file beside itself (or the
// one named by its first argument), unseals it into a temporary file and
// runs the script. No window; everything it shows is a message box.
#include <windows.h>

#include "directory_search.h"
#include "file_services.h"
#include "interpreter.h"
#include "key_texts.h"
#include "name_field.h"
#include "random.h"
#include "sealed_file.h"
#include "text_ops.h"
#include "win/message_box.h"
#include "win/system_paths.h"

namespace {

using tlq::Text;

// Script messages: flags 0, the default title until the script sets one.
class LauncherHost final : public tlq::ScriptHost {
public:
    explicit LauncherHost(const Text& temp_path) : temp_path_(temp_path) {}
    void show_message(const Text& message, const Text* title) override {
        tlq::show_message(message, 0, title);
    }
    void end_of_run() override { tlq::remove_file(temp_path_); }
    bool stop_requested() override { return false; }

private:
    const Text& temp_path_;
};

// The code file named by the name field, in this program's folder. Compile
// pads the name with half-width spaces; a name that itself ends in
// full-width spaces is still found.
Text code_file_beside_launcher(const Text& folder) {
    const Text trimmed = folder + tlq::launcher::code_file_name(true);
    if (tlq::launcher::entry_found(trimmed)) return trimmed;
    const Text as_written = folder + tlq::launcher::code_file_name(false);
    return tlq::launcher::entry_found(as_written) ? as_written : trimmed;
}

// The first argument as given, else relative to this program's folder.
Text code_file_from_argument(const Text& argument, const Text& folder) {
    if (tlq::launcher::entry_found(argument)) return argument;
    const Text beside = folder + "\\" + argument;
    return tlq::launcher::entry_found(beside) ? beside : Text();
}

void report_not_found(const Text& code_path) {
    const Text diagnostic_title("ShitTest");
    tlq::show_message(code_path, 0, &diagnostic_title);
    const Text title("Taliq Script");
    tlq::show_message("Binrary is not found!", 16, &title);
}

Text new_temp_path() {
    tlq::seed_random();
    const int32_t number = tlq::random_in_range(80000, 900000);
    return tlq::special_folder_path(11) + "\\XDV" + tlq::int_to_text(number) + ".tmp";
}

void run_code_file(const tlq::Bytes& sealed) {
    tlq::RunState state;
    state.script_file_path = new_temp_path();
    tlq::write_whole_file(state.script_file_path, tlq::unseal(sealed, tlq::kCodeKey));
    tlq::read_script_header(state.script_file_path, tlq::IniMode::profile, state);
    Text message_title;
    LauncherHost host(state.script_file_path);
    tlq::run_script(state, message_title, host);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The current directory stays where the user started us, so a relative
    // argument means what it says.
    const Text folder = tlq::module_directory();
    const tlq::TextList arguments = tlq::command_line_arguments();
    const Text code_path = arguments.empty() ? code_file_beside_launcher(folder)
                                             : code_file_from_argument(arguments[0], folder);
    const tlq::Bytes sealed = tlq::read_whole_file(code_path);
    if (sealed.empty()) {
        report_not_found(code_path);
        return 0;
    }
    run_code_file(sealed);
    return 0;
}
