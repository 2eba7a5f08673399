// Runs the Windows build of tlqc as a batch file would: a console program
// whose standard output and error come back through pipes.
#pragma once

#include <windows.h>

#include <string>

namespace tlq::test {

struct TlqcOutcome {
    bool ended = false;
    DWORD status = 0;
    std::string out;  // bytes as written: GBK, CR LF line ends
    std::string err;
};

// Windows path of the tlqc.exe under test.
std::string tlqc_path();

// Runs "tlqc.exe" arguments in folder; arguments is the raw rest of the
// command line (quote paths yourself).
TlqcOutcome run_tlqc(const std::string& arguments, const std::string& folder);

}  // namespace tlq::test
