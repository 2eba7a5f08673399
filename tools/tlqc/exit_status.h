// The exit statuses of tlqc, listed in `tlqc --help` and the README. Batch
// files test them, so the numbers never change meaning.
#pragma once

namespace tlq::tlqc {

enum ExitStatus {
    exit_ok = 0,               // done; `check`: nothing found
    exit_warnings = 1,         // `check`: warnings only
    exit_errors = 2,           // `check`: at least one error
    exit_usage = 3,            // bad command line
    exit_input_missing = 4,    // input file missing or unreadable
    exit_input_unusable = 5,   // not a script, or not sealed with the key asked for
    exit_output_failed = 6,    // an output file could not be written
    exit_name_refused = 7,     // `compile`: program name not usable for a launcher
};

}  // namespace tlq::tlqc
