// `tlqc seal` and `tlqc unseal`: any file sealed or unsealed with the file
// key or the code key.
#include <string>

#include "commands.h"
#include "console.h"
#include "exit_status.h"
#include "file_services.h"
#include "input_file.h"
#include "key_texts.h"
#include "sealed_file.h"

namespace tlq::tlqc {

namespace {

const char* key_text(KeyChoice key) { return key == KeyChoice::code ? kCodeKey : kFileKey; }
const char* key_name(KeyChoice key) { return key == KeyChoice::code ? "code" : "file"; }
KeyChoice other_key(KeyChoice key) { return key == KeyChoice::code ? KeyChoice::file : KeyChoice::code; }

bool read_input(const std::string& path, Bytes& content, int& status) {
    InputFile input = read_input_file(path);
    if (input.outcome != ReadOutcome::read) {
        print_error("cannot read '" + path + "': " + input.reason);
        status = exit_input_missing;
        return false;
    }
    content = input.content;
    return true;
}

int write_result(const std::string& path, const Bytes& content) {
    if (!replace_file_safely(Text(path.c_str()), content)) {
        print_error("cannot write '" + path + "'");
        return exit_output_failed;
    }
    print_line("wrote " + path);
    return exit_ok;
}

}  // namespace

int seal_command(const Invocation& invocation) {
    Bytes content;
    int status = exit_ok;
    if (!read_input(invocation.files[0], content, status)) return status;
    // An empty file seals to an empty file.
    return write_result(invocation.files[1], seal(content, key_text(invocation.key)));
}

int unseal_command(const Invocation& invocation) {
    const std::string& in = invocation.files[0];
    Bytes content;
    int status = exit_ok;
    if (!read_input(in, content, status)) return status;
    const Bytes payload = unseal(content, key_text(invocation.key));
    if (payload.empty() && !content.empty()) {
        const KeyChoice other = other_key(invocation.key);
        const bool other_fits = !unseal(content, key_text(other)).empty();
        print_error("'" + in + "' is not sealed with the " + key_name(invocation.key) + " key" +
                    (other_fits ? std::string(": it is sealed with the ") + key_name(other) +
                                      " key (use --key " + key_name(other) + ")"
                                : std::string()));
        return exit_input_unusable;
    }
    return write_result(invocation.files[1], payload);
}

}  // namespace tlq::tlqc
