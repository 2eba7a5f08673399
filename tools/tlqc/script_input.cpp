#include "script_input.h"

#include "console.h"
#include "exit_status.h"
#include "input_file.h"

namespace tlq::tlqc {

bool load_script(const std::string& path, RecognisedScript& script, int& status) {
    const InputFile input = read_input_file(path);
    if (input.outcome != ReadOutcome::read) {
        print_error("cannot read '" + path + "': " + input.reason);
        status = exit_input_missing;
        return false;
    }
    script = recognise_script(input.content);
    if (script.kind == ScriptKind::unusable) {
        print_error("'" + path +
                    "' is not a script: it is neither a plain text nor sealed with the file key or the "
                    "code key");
        status = exit_input_unusable;
        return false;
    }
    return true;
}

}  // namespace tlq::tlqc
