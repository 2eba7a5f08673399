// The five commands; each returns tlqc's exit status (exit_status.h).
#pragma once

#include "arguments.h"

namespace tlq::tlqc {

int run_command(const Invocation& invocation);
int check_command(const Invocation& invocation);
int compile_command(const Invocation& invocation);
int seal_command(const Invocation& invocation);
int unseal_command(const Invocation& invocation);

}  // namespace tlq::tlqc
