// What the user asked tlqc to do, read from the command line. Portable:
// the arguments arrive as byte strings in the system's own encoding.
#pragma once

#include <string>
#include <vector>

namespace tlq::tlqc {

enum class Command { none, run, check, compile, seal, unseal };
enum class KeyChoice { none, file, code };

struct Invocation {
    Command command = Command::none;
    bool help = false;     // --help: top-level help, or the command's help
    bool version = false;  // --version
    bool gui = false;      // run: real message boxes (Windows only)
    bool no_launcher = false;
    KeyChoice key = KeyChoice::none;
    std::string output_dir;          // compile -o; empty: current folder
    std::vector<std::string> files;  // operands in order
    std::string error;               // not empty: the command line is wrong
};

// args: the arguments after the program's own name.
Invocation parse_arguments(const std::vector<std::string>& args);

const char* command_name(Command command);

}  // namespace tlq::tlqc
