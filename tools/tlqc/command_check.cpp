// `tlqc check FILE`: one line per finding, "FILE:LINE: severity: text".
#include <string>

#include "commands.h"
#include "console.h"
#include "exit_status.h"
#include "native_text.h"
#include "script_checker.h"
#include "script_input.h"

namespace tlq::tlqc {

namespace {

std::string plural(size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string finding_line(const std::string& path, const Finding& finding) {
    std::string line = path + ":";
    if (finding.line > 0) line += std::to_string(finding.line) + ":";
    line += finding.severity == Severity::error ? " error: " : " warning: ";
    return line + native_from_gbk(Text(finding.message.data(), finding.message.size()));
}

}  // namespace

int check_command(const Invocation& invocation) {
    const std::string& path = invocation.files[0];
    RecognisedScript script;
    int status = exit_ok;
    if (!load_script(path, script, status)) return status;
    size_t errors = 0;
    size_t warnings = 0;
    for (const Finding& finding : check_script(script.text)) {
        print_line(finding_line(path, finding));
        ++(finding.severity == Severity::error ? errors : warnings);
    }
    if (errors + warnings == 0) {
        print_line(path + ": no findings");
        return exit_ok;
    }
    print_line(path + ": " + plural(errors, "error") + ", " + plural(warnings, "warning"));
    return errors > 0 ? exit_errors : exit_warnings;
}

}  // namespace tlq::tlqc
