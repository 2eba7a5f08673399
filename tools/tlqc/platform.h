// The few things tlqc does differently on Linux and on Windows, each
// wrapped once: arguments, paths, temporary files, message boxes.
#pragma once

#include <string>
#include <vector>

#include "byte_string.h"

namespace tlq::tlqc {

// The arguments after the program's own name, as bytes in the system's
// encoding. On Windows they are split from GetCommandLineA, which keeps
// arguments that begin with a Chinese character whole.
std::vector<std::string> program_arguments(int argc, char** argv);

// folder + separator + name; just the name for an empty folder.
std::string join_path(const std::string& folder, const std::string& name);

// A new file in the temporary folder, readable by this user only, holding
// content. Empty result when it cannot be made.
std::string write_temporary_file(const Bytes& content);
void remove_temporary_file(const std::string& path);

// True on Windows, where `run --gui` shows real message boxes.
bool message_boxes_available();
// title == nullptr: the default title.
void show_message_box(const Text& message, const Text* title);

}  // namespace tlq::tlqc
