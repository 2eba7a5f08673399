#include "arguments.h"

namespace tlq::tlqc {

namespace {

struct CommandSpelling {
    const char* name;
    Command command;
};

const CommandSpelling kCommands[] = {
    {"run", Command::run},       {"check", Command::check}, {"compile", Command::compile},
    {"seal", Command::seal},     {"unseal", Command::unseal},
};

Command command_from_name(const std::string& name) {
    for (const CommandSpelling& c : kCommands) {
        if (name == c.name) return c.command;
    }
    return Command::none;
}

bool is_help_option(const std::string& arg) { return arg == "--help" || arg == "-h"; }

size_t operand_count(Command command) {
    return (command == Command::seal || command == Command::unseal) ? 2 : 1;
}

const char* operand_names(Command command) {
    return operand_count(command) == 2 ? "IN and OUT" : "FILE";
}

// Takes an option's value from "--opt=value" or from the next argument.
// Returns false when there is none.
bool take_value(const std::vector<std::string>& args, size_t& i, const std::string& inline_value,
                bool has_inline, std::string& value) {
    if (has_inline) {
        value = inline_value;
        return true;
    }
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

// Reads the options and operands that follow the command word.
void parse_command_arguments(const std::vector<std::string>& args, size_t first,
                             Invocation& result) {
    const Command command = result.command;
    const std::string name = command_name(command);
    bool options_ended = false;
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            result.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        if (is_help_option(arg)) {
            result.help = true;
            return;  // help wins over anything else on the line
        }
        const size_t equals = arg.find('=');
        const bool has_inline = arg.rfind("--", 0) == 0 && equals != std::string::npos;
        const std::string option = has_inline ? arg.substr(0, equals) : arg;
        const std::string inline_value = has_inline ? arg.substr(equals + 1) : std::string();
        std::string value;
        if (command == Command::run && option == "--gui" && !has_inline) {
            result.gui = true;
        } else if (command == Command::compile && option == "--no-launcher" && !has_inline) {
            result.no_launcher = true;
        } else if (command == Command::compile && (option == "-o" || option == "--output")) {
            if (!take_value(args, i, inline_value, has_inline, value) || value.empty()) {
                result.error = "option " + option + " needs a folder";
                return;
            }
            result.output_dir = value;
        } else if ((command == Command::seal || command == Command::unseal) && option == "--key") {
            if (!take_value(args, i, inline_value, has_inline, value)) {
                result.error = "option --key needs 'file' or 'code'";
                return;
            }
            if (value == "file") {
                result.key = KeyChoice::file;
            } else if (value == "code") {
                result.key = KeyChoice::code;
            } else {
                result.error = "unknown key '" + value + "': use --key file or --key code";
                return;
            }
        } else {
            result.error = "unknown option '" + arg + "' for " + name;
            return;
        }
    }
    if ((command == Command::seal || command == Command::unseal) && result.key == KeyChoice::none) {
        result.error = name + " needs --key file or --key code";
    } else if (result.files.size() < operand_count(command)) {
        result.error = name + " needs " + operand_names(command);
    } else if (result.files.size() > operand_count(command)) {
        result.error = "too many files for " + name + ": '" + result.files[operand_count(command)] + "'";
    }
}

}  // namespace

const char* command_name(Command command) {
    for (const CommandSpelling& c : kCommands) {
        if (c.command == command) return c.name;
    }
    return "tlqc";
}

Invocation parse_arguments(const std::vector<std::string>& args) {
    Invocation result;
    if (args.empty()) {
        result.error = "no command given";
        return result;
    }
    const std::string& first = args[0];
    if (is_help_option(first)) {
        result.help = true;
        return result;
    }
    if (first == "--version") {
        result.version = true;
        return result;
    }
    if (first == "help") {  // "tlqc help COMMAND" reads like "tlqc COMMAND --help"
        result.help = true;
        if (args.size() > 1) {
            result.command = command_from_name(args[1]);
            if (result.command == Command::none) result.error = "unknown command '" + args[1] + "'";
        }
        return result;
    }
    result.command = command_from_name(first);
    if (result.command == Command::none) {
        result.error = "unknown command '" + first + "'";
        return result;
    }
    parse_command_arguments(args, 1, result);
    return result;
}

}  // namespace tlq::tlqc
