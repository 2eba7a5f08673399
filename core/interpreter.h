// The script interpreter: runs lines 1..count of the command section.
#pragma once

#include "byte_string.h"
#include "ini_reader.h"

namespace tlq {

constexpr int32_t kLineBound = 214748364;

class ScriptHost {
public:
    // title == nullptr: no title given, the host shows its default title.
    virtual void show_message(const Text& message, const Text* title) = 0;
    // Called on the interpreter's thread after a normal end only.
    virtual void end_of_run() = 0;
    // Checked before every line; true ends the run without end_of_run().
    virtual bool stop_requested() = 0;

protected:
    ~ScriptHost() = default;
};

struct RunState {
    Text script_file_path;
    Text section_name;
    int32_t command_count = 0;
    int32_t line_number = 0;
    IniMode mode = IniMode::profile;
};

enum class RunEnd { normal, bound, stopped };

// The message title belongs to the host and survives the run.
RunEnd run_script(RunState& state, Text& message_title, ScriptHost& host);

// Reads 当前命令数量 and 子程序的名字 from section info of a plain script file.
void read_script_header(const Text& script_file_path, IniMode mode, RunState& state);

}  // namespace tlq
