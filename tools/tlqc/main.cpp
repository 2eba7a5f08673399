// tlqc: the command-line companion of the Taliq Script programs.
#include <string>

#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "exit_status.h"
#include "help_texts.h"
#include "launcher_image.h"
#include "native_text.h"
#include "platform.h"

namespace tlq::tlqc {

namespace {

// Help texts are GBK like every literal; each line goes out on its own so
// the console's line ends apply.
void print_text(const char* gbk) {
    const std::string text = native_from_gbk(Text(gbk));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        print_line(text.substr(start, end - start));
        start = end + 1;
    }
}

void print_version() {
    print_line(version_text());
    const size_t image_size = project_launcher_image().size();
    print_line(image_size > 0 ? "project launcher image: " + std::to_string(image_size) + " bytes"
                              : std::string("project launcher image: not built in"));
}

int carry_out(const Invocation& invocation) {
    if (!invocation.error.empty()) {
        print_error(invocation.error);
        const std::string command = invocation.command == Command::none
                                        ? std::string()
                                        : std::string(command_name(invocation.command)) + " ";
        print_error("try 'tlqc " + command + "--help'");
        return exit_usage;
    }
    if (invocation.help) {
        print_text(help_text(invocation.command));
        return exit_ok;
    }
    if (invocation.version) {
        print_version();
        return exit_ok;
    }
    switch (invocation.command) {
        case Command::run: return run_command(invocation);
        case Command::check: return check_command(invocation);
        case Command::compile: return compile_command(invocation);
        case Command::seal: return seal_command(invocation);
        case Command::unseal: return unseal_command(invocation);
        case Command::none: break;
    }
    return exit_usage;
}

}  // namespace

}  // namespace tlq::tlqc

int main(int argc, char** argv) {
    using namespace tlq::tlqc;
    return carry_out(parse_arguments(program_arguments(argc, argv)));
}
