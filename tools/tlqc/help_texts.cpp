#include "help_texts.h"

namespace tlq::tlqc {

namespace {

const char kOverview[] =
    "Usage: tlqc COMMAND [OPTIONS] FILE...\n"
    "Runs, checks, compiles and seals Taliq scripts.\n"
    "\n"
    "Commands:\n"
    "  run FILE                      run a script, printing each message box\n"
    "  check FILE                    report what would make a script run otherwise than meant\n"
    "  compile FILE [-o DIR]         write the code file and the project launcher\n"
    "  seal --key file|code IN OUT   seal a file with the file key or the code key\n"
    "  unseal --key file|code IN OUT unseal a file\n"
    "\n"
    "FILE may be a plain script text (GBK), a script file (.tqspt, file key) or a\n"
    "code file (.tlqcode, code key); tlqc tells them apart by trying the keys.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help, or a command's help after the command\n"
    "      --version  show the version and whether the launcher image is built in\n"
    "\n"
    "Exit status:\n"
    "  0  done (check: nothing found)\n"
    "  1  check: warnings only\n"
    "  2  check: errors\n"
    "  3  bad command line\n"
    "  4  input file missing or unreadable\n"
    "  5  input not usable: not a script, or not sealed with the key given\n"
    "  6  an output file could not be written\n"
    "  7  compile: program name refused (nothing written when it is not a valid\n"
    "     file name; only the code file when it is longer than 32 bytes)\n"
    "\n"
    "Examples:\n"
    "  tlqc run hello.tqspt\n"
    "  tlqc check hello.ini\n"
    "  tlqc compile hello.tqspt -o out\n"
    "  tlqc seal --key file hello.ini hello.tqspt\n"
    "\n"
    "'tlqc COMMAND --help' tells more about a command.\n";

const char kRunHelp[] =
    "Usage: tlqc run [--gui] FILE\n"
    "Runs the script in FILE with the launchers' interpreter. Each message box\n"
    "is printed as one line instead of shown:\n"
    "  [title] text\n"
    "A box without a title set by the script prints the default title 信息：.\n"
    "Script texts are GBK; they are printed in the terminal's encoding.\n"
    "\n"
    "Options:\n"
    "  --gui       show the real message boxes (Windows only)\n"
    "  -h, --help  show this help\n"
    "\n"
    "Exit status: 0 when the script ran, 3 bad command line, 4 FILE missing or\n"
    "unreadable, 5 FILE not a script, 6 no temporary copy could be written.\n"
    "\n"
    "Example:\n"
    "  tlqc run HelloWorld.tlqcode      prints  [Hello] Hello World!\n";

const char kCheckHelp[] =
    "Usage: tlqc check FILE\n"
    "Reads the script in FILE as the programs read it and prints one line per\n"
    "finding, with the line number of the (unsealed) script text:\n"
    "  FILE:LINE: warning: text\n"
    "  FILE:LINE: error: text\n"
    "then a summary line. Errors: nothing would run (no [info] section, no or\n"
    "no numeric 当前命令数量, no command section) or compile would refuse the\n"
    "program name. Warnings: the count and the numbered lines disagree, lines\n"
    "above the count, unknown command words, a command word without its space,\n"
    "double quotes that vanish, halves of double-byte characters, a missing or\n"
    "too long 程序名称, and more.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n"
    "\n"
    "Exit status: 0 nothing found, 1 warnings only, 2 errors, 3 bad command\n"
    "line, 4 FILE missing or unreadable, 5 FILE not a script.\n";

const char kCompileHelp[] =
    "Usage: tlqc compile [-o DIR] [--no-launcher] FILE\n"
    "Writes what the editor's Compile writes, byte for byte:\n"
    "  DIR/NAME.tlqcode  the script sealed with the code key\n"
    "  DIR/NAME.exe      the project launcher with NAME in its name field\n"
    "NAME is the script's 程序名称. A name with one of \\ / : * ? \" < > | or a\n"
    "control character, or naming a device (CON, NUL, ...), is refused and\n"
    "nothing is written. A name longer than 32 bytes gets the code file but no\n"
    "launcher. Existing files are replaced only once the new ones are whole.\n"
    "\n"
    "Options:\n"
    "  -o, --output DIR  the folder to write into (default: the current folder)\n"
    "  --no-launcher     write the code file only\n"
    "  -h, --help        show this help\n"
    "\n"
    "Exit status: 0 done, 3 bad command line, 4 FILE missing or unreadable,\n"
    "5 FILE not a script, 6 a file could not be written, 7 program name refused.\n"
    "\n"
    "Example:\n"
    "  tlqc compile hello.tqspt -o out   writes out/HelloWorld.tlqcode and\n"
    "                                    out/HelloWorld.exe\n";

const char kSealHelp[] =
    "Usage: tlqc seal --key file|code IN OUT\n"
    "Seals the bytes of IN into OUT: --key file makes a script file (.tqspt)\n"
    "that the editor opens, --key code a code file (.tlqcode) that the\n"
    "launchers run. An empty IN gives an empty OUT.\n"
    "\n"
    "Exit status: 0 done, 3 bad command line, 4 IN missing or unreadable,\n"
    "6 OUT could not be written.\n";

const char kUnsealHelp[] =
    "Usage: tlqc unseal --key file|code IN OUT\n"
    "Unseals IN into OUT. When IN is not sealed with the key given, nothing is\n"
    "written, and tlqc says whether the other key fits.\n"
    "\n"
    "Exit status: 0 done, 3 bad command line, 4 IN missing or unreadable,\n"
    "5 IN not sealed with that key, 6 OUT could not be written.\n";

}  // namespace

const char* help_text(Command command) {
    switch (command) {
        case Command::run: return kRunHelp;
        case Command::check: return kCheckHelp;
        case Command::compile: return kCompileHelp;
        case Command::seal: return kSealHelp;
        case Command::unseal: return kUnsealHelp;
        case Command::none: break;
    }
    return kOverview;
}

const char* version_text() { return "tlqc 1.4.0 (Taliq Script)"; }

}  // namespace tlq::tlqc
