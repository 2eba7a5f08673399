// The code launcher: the registered opener of code files. Runs the code
// file named by its first argument, or main.tlqcode beside itself. No
// window; everything it shows is a message box.
#include <windows.h>

#include "file_services.h"
#include "interpreter.h"
#include "key_texts.h"
#include "random.h"
#include "sealed_file.h"
#include "text_ops.h"
#include "win/message_box.h"
#include "win/system_paths.h"

namespace {

using tlq::Text;

// Script messages: flags 0, title "信息" until the script sets one.
class CodeLauncherHost final : public tlq::ScriptHost {
public:
    explicit CodeLauncherHost(const Text& temp_path) : temp_path_(temp_path) {}
    void show_message(const Text& message, const Text* title) override {
        tlq::show_message_plain(message, 0, title);
    }
    void end_of_run() override { tlq::remove_file(temp_path_); }
    bool stop_requested() override { return false; }

private:
    const Text& temp_path_;
};

void report_out_of_memory() {
    const Text title("error");
    tlq::show_message_plain("内存不足", 16, &title);
}

void report_not_found() {
    const Text title("Taliq Script");
    tlq::show_message_plain("Binrary is not found!", 16, &title);
}

// Joins texts; false when the joined text could not be allocated.
bool join(Text& joined, const Text& first, const Text& second, const Text& third = Text()) {
    joined = first + second + third;
    return joined.size() == first.size() + second.size() + third.size();
}

// The first argument as given (against the current directory we were
// started with), else relative to this program's folder; "" when neither
// exists. Without arguments, main.tlqcode beside this program.
bool find_code_file(const tlq::TextList& arguments, const Text& folder, Text& code_path) {
    if (arguments.empty()) return join(code_path, folder, "\\main.tlqcode");
    if (tlq::file_exists(arguments[0])) {
        code_path = arguments[0];
        return code_path.size() == arguments[0].size();
    }
    Text beside;
    if (!join(beside, folder, "\\", arguments[0])) return false;
    code_path = tlq::file_exists(beside) ? beside : Text();
    return true;
}

bool new_temp_path(Text& temp_path) {
    tlq::seed_random();
    const int32_t number = tlq::random_in_range(80000, 900000);
    const Text number_text = tlq::int_to_text(number);
    Text folder_part;
    return join(folder_part, tlq::special_folder_path(11), "\\XDV") &&
           join(temp_path, folder_part, number_text, ".tmp");
}

void run_code_file(const tlq::Bytes& sealed) {
    tlq::RunState state;
    state.mode = tlq::IniMode::whole_values;
    if (!new_temp_path(state.script_file_path)) {
        report_out_of_memory();
        return;
    }
    tlq::write_whole_file(state.script_file_path, tlq::unseal(sealed, tlq::kCodeKey));
    tlq::read_script_header(state.script_file_path, tlq::IniMode::whole_values, state);
    Text message_title;
    CodeLauncherHost host(state.script_file_path);
    tlq::run_script(state, message_title, host);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Text code_path;
    if (!find_code_file(tlq::wide_command_line_arguments(), tlq::module_directory(), code_path)) {
        report_out_of_memory();
        return 0;
    }
    const tlq::Bytes sealed = tlq::read_whole_file(code_path, tlq::ShareMode::read_write);
    if (sealed.empty()) {
        report_not_found();
        return 0;
    }
    run_code_file(sealed);
    return 0;
}
