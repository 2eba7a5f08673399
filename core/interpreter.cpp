#include "interpreter.h"

#include "file_services.h"
#include "interpreter_loop.h"
#include "text_ops.h"

namespace tlq {

namespace {

const char kMessageWord[] = "信息框";
const char kTitleWord[] = "置信息框标题";
constexpr int32_t kMessageWordLength = 6;
constexpr int32_t kTitleWordLength = 12;
// The argument starts after the word and its one separator byte.
constexpr int32_t kMessageStart = 8;
constexpr int32_t kTitleStart = 14;
constexpr int32_t kArgumentLimit = 99999;

// The profile reader ignores leading control bytes and spaces of a path.
Text path_as_read(const Text& path, IniMode mode) {
    if (mode != IniMode::profile) return path;
    size_t skip = 0;
    while (skip < path.size() && path[skip] >= 0x01 && path[skip] <= 0x20) ++skip;
    return path.substr(skip, path.size() - skip);
}

// Line n of the command section with every double quote removed; empty
// when the line is missing.
Text fetch_line(const IniDocument& script, const RunState& state, int32_t n) {
    Text value;
    if (!script.find(state.section_name, int_to_text(n), state.mode, value)) return Text();
    return replace_all(value, Text("\""), Text(), true);
}

void run_line(const Text& line, Text& message_title, ScriptHost& host) {
    if (left_bytes(line, kMessageWordLength) == Text(kMessageWord)) {
        Text message = mid_bytes(line, kMessageStart, kArgumentLimit);
        host.show_message(message, message_title.empty() ? nullptr : &message_title);
        return;
    }
    if (left_bytes(line, kTitleWordLength) == Text(kTitleWord)) {
        message_title = mid_bytes(line, kTitleStart, kArgumentLimit);
    }
    // Any other line does nothing.
}

}  // namespace

RunEnd run_script_from_line(RunState& state, int32_t first_line, Text& message_title,
                            ScriptHost& host) {
    // The script is read once; every line is then looked up in the index.
    Text path = path_as_read(state.script_file_path, state.mode);
    IniDocument script(path.empty() ? Bytes() : read_whole_file(path));
    for (state.line_number = first_line;; ++state.line_number) {
        if (host.stop_requested()) return RunEnd::stopped;
        if (state.line_number > kLineBound) return RunEnd::bound;
        if (state.line_number > state.command_count) {
            host.end_of_run();
            return RunEnd::normal;
        }
        run_line(fetch_line(script, state, state.line_number), message_title, host);
    }
}

RunEnd run_script(RunState& state, Text& message_title, ScriptHost& host) {
    return run_script_from_line(state, 1, message_title, host);
}

void read_script_header(const Text& script_file_path, IniMode mode, RunState& state) {
    Text path = script_file_path;  // state.script_file_path may be the argument itself
    state.command_count = parse_int(profile_read(path, "info", "当前命令数量", Text(), mode));
    state.section_name = profile_read(path, "info", "子程序的名字", Text(), mode);
    state.script_file_path = path;
    state.mode = mode;
}

}  // namespace tlq
