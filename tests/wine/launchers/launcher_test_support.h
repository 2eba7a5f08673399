// Shared pieces of the launcher, compile and shell-integration tests: the
// built programs, sealed code files, and runs that answer every box.
#pragma once

#include <string>
#include <vector>

#include "driver.h"

namespace tlq::test {

// Windows paths of the built programs.
std::string launchstub_path();
std::string tlqrun_path();
std::string tlqedit_path();

// A script whose lines show the given messages; an entry starting with
// "title:" sets the message title instead.
std::string script_text(const std::string& program_name, const std::vector<std::string>& lines);
// The script sealed with the code key, or with the file key.
std::string sealed_with_code_key(const std::string& script);
std::string sealed_with_file_key(const std::string& script);

struct Box {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::none;
    bool operator==(const Box& other) const {
        return title == other.title && text == other.text && icon == other.icon;
    }
};
void PrintTo(const Box& box, std::ostream* out);

struct RunResult {
    bool ended = false;  // the program ended within the time
    DWORD exit_code = 0;
    std::vector<Box> boxes;
};

// Starts the command line and presses OK on every message box it shows
// until the program ends (at most timeout_ms).
RunResult run_answering_boxes(const std::string& command_line,
                              const std::string& current_directory = std::string(),
                              DWORD timeout_ms = 15000);

// Names of the files "XDV*.tmp" directly in the folder.
std::vector<std::string> temp_script_files(const std::string& folder);
// The 32 placeholder bytes of the project launcher's name field.
std::string name_placeholder();
// Positions of every occurrence of pattern in data.
std::vector<size_t> occurrences(const std::string& data, const std::string& pattern);
bool make_folder(const std::string& path);
bool copy_file(const std::string& from, const std::string& to);

}  // namespace tlq::test
