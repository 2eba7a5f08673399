// Script texts are GBK bytes; the terminal and the file system speak the
// system's own encoding: UTF-8 on Linux, the ANSI code page on Windows.
// Everything tlqc prints or names passes through here once.
#pragma once

#include <string>

#include "byte_string.h"

namespace tlq::tlqc {

// Bytes that are not GBK come out as '?', so a message always prints.
std::string native_from_gbk(const Text& gbk);

// False when some bytes are not GBK or have no form in the system's
// encoding; used for file names, where a '?' would name another file.
bool exact_native_from_gbk(const Text& gbk, std::string& native);

}  // namespace tlq::tlqc
