// `tlqc run FILE`: runs a script with the launchers' interpreter and prints
// each message box as one line, "[title] text".
#include "commands.h"
#include "console.h"
#include "exit_status.h"
#include "interpreter.h"
#include "native_text.h"
#include "platform.h"
#include "script_input.h"

namespace tlq::tlqc {

namespace {

// The title a box shows when the script has set none.
const char kDefaultTitle[] = "信息：";

class PrintingHost final : public ScriptHost {
public:
    void show_message(const Text& message, const Text* title) override {
        const Text shown_title = title ? *title : Text(kDefaultTitle);
        print_line("[" + native_from_gbk(shown_title) + "] " + native_from_gbk(message));
    }
    void end_of_run() override {}
    bool stop_requested() override { return false; }
};

class MessageBoxHost final : public ScriptHost {
public:
    void show_message(const Text& message, const Text* title) override { show_message_box(message, title); }
    void end_of_run() override {}
    bool stop_requested() override { return false; }
};

void interpret(const std::string& path, bool gui) {
    RunState state;
    read_script_header(Text(path.c_str()), IniMode::profile, state);
    Text message_title;  // a new process: no title yet, as in the launchers
    PrintingHost printer;
    MessageBoxHost boxes;
    ScriptHost& host = gui ? static_cast<ScriptHost&>(boxes) : static_cast<ScriptHost&>(printer);
    run_script(state, message_title, host);
}

}  // namespace

int run_command(const Invocation& invocation) {
    if (invocation.gui && !message_boxes_available()) {
        print_error("--gui shows real message boxes and needs the Windows build of tlqc");
        return exit_usage;
    }
    const std::string& path = invocation.files[0];
    RecognisedScript script;
    int status = exit_ok;
    if (!load_script(path, script, status)) return status;
    if (script.kind == ScriptKind::plain) {
        interpret(path, invocation.gui);
        return exit_ok;
    }
    // A sealed script runs from a plain copy, as in the launchers.
    const std::string copy = write_temporary_file(script.text);
    if (copy.empty()) {
        print_error("cannot write a temporary copy of the script to run it");
        return exit_output_failed;
    }
    interpret(copy, invocation.gui);
    remove_temporary_file(copy);
    return exit_ok;
}

}  // namespace tlq::tlqc
