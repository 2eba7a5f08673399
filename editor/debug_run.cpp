// Debug run. Each run owns a heap copy of its temporary path, section name
// and command count, so nothing the user does meanwhile (a Compile, a new
// Start) can redirect the running interpreter or make it delete another
// file. The worker never touches the user interface: it posts its end to the
// main window, which updates the menu and removes that run's file.
#include "debug_run.h"

#include <new>

#include "edit_box.h"
#include "editor_access.h"
#include "file_services.h"
#include "interpreter.h"
#include "menu_bar.h"
#include "menu_ids.h"
#include "random.h"
#include "text_ops.h"
#include "win/message_box.h"
#include "win/system_paths.h"
#include "win/worker.h"

namespace tlq::editor {

namespace {

struct DebugRun {
    RunState state;  // the run's own copy of path, section and count
    Worker* worker = nullptr;
    RunEnd end = RunEnd::stopped;
};

// The run whose worker may still be going; at most one, since Start stays
// disabled until it has ended or been stopped.
DebugRun* current_run = nullptr;
// Titles set by one run carry over to the next; only the worker of the
// current run reads or writes it.
Text message_title;

class DebugRunHost : public ScriptHost {
public:
    void show_message(const Text& message, const Text* title) override {
        tlq::show_message(message, 0, title, nullptr);  // no owner: the editor stays usable
    }
    void end_of_run() override {}
    bool stop_requested() override { return current_worker_stop_requested(); }
};

void run_on_worker(void* parameter) {
    DebugRun* run = static_cast<DebugRun*>(parameter);
    DebugRunHost host;
    run->end = run_script(run->state, message_title, host);
    PostMessageA(main_window(), kRunEndedMessage, 0, reinterpret_cast<LPARAM>(run));
}

Text debug_folder() { return special_folder_path(11) + "\\tlqscript_debug"; }

Text new_temporary_path() {
    return debug_folder() + "\\XDV" + int_to_text(random_in_range(80000, 900000)) + ".tmp";
}

void show_running_menus(bool running) {
    set_menu_item_enabled(main_window(), cmd_start_run, !running);
    set_menu_item_enabled(main_window(), cmd_stop_run, running);
}

void finish(DebugRun* run) {
    if (run == current_run) current_run = nullptr;
    release_worker(run->worker);
    delete run;
}

// After the worker has ended its end message may already wait in the queue;
// it must not arrive for a run that is gone.
void drop_pending_end_message() {
    MSG message;
    while (PeekMessageA(&message, main_window(), kRunEndedMessage, kRunEndedMessage, PM_REMOVE)) {
    }
}

}  // namespace

void start_run() {
    make_directory(debug_folder());
    DebugRun* run = new (std::nothrow) DebugRun;
    if (!run) return;
    run->state.script_file_path = new_temporary_path();
    write_whole_file(run->state.script_file_path, text_to_bytes(edit_box_text()));
    read_script_header(run->state.script_file_path, IniMode::profile, run->state);
    show_running_menus(true);
    current_run = run;
    run->worker = start_worker(run_on_worker, run);
    if (!run->worker) {
        show_running_menus(false);
        remove_file(run->state.script_file_path);
        finish(run);
    }
}

void stop_run() {
    DebugRun* run = current_run;
    show_running_menus(false);
    if (!run) return;
    remove_file(run->state.script_file_path);
    kill_worker(run->worker);
    drop_pending_end_message();
    finish(run);
}

void on_run_ended(LPARAM parameter) {
    DebugRun* run = reinterpret_cast<DebugRun*>(parameter);
    if (run != current_run) return;  // cannot happen: Stop drops the message
    // At the line bound the run stays in the running state until Stop.
    if (run->end == RunEnd::bound) return;
    show_running_menus(false);
    remove_file(run->state.script_file_path);
    finish(run);
}

void end_run_at_exit() {
    if (current_run) stop_run();
}

void release_run_texts() { message_title = Text(); }

}  // namespace tlq::editor
