// Special folders and the running program's own location.
#pragma once

#include "../byte_string.h"
#include "../text_list.h"

namespace tlq {

// 1 documents .. 8 application data, 9 Windows, 10 system, 11 temporary.
// Always ends in "\"; "" for any other number or a failure.
Text special_folder_path(int number);

// Fixes program_directory/program_file_name from the module path and makes
// the program directory the current directory. Call once at start.
void init_program_location();
Text program_directory();   // without trailing "\"
Text program_file_name();   // with extension, without folder
// The module's folder taken afresh, current directory left alone.
Text module_directory();

// GetCommandLineA split by split_command_line.
TextList command_line_arguments();
// CommandLineToArgvW, program path dropped, each converted to code page 936.
TextList wide_command_line_arguments();

}  // namespace tlq
