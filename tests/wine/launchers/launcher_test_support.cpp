#include "launcher_test_support.h"

#include <ostream>

#include "byte_string.h"
#include "key_texts.h"
#include "sealed_file.h"

namespace tlq::test {

namespace {

// The build passes Unix paths; Wine shows the root file system as Z:.
std::string wine_path(const char* unix_path) {
    std::string path = std::string("Z:") + unix_path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string sealed(const std::string& script, const char* key) {
    const Bytes result = seal(Bytes(script.data(), script.size()), key);
    return std::string(result.c_str(), result.size());
}

}  // namespace

std::string launchstub_path() { return wine_path(TLQ_LAUNCHSTUB_FILE); }
std::string tlqrun_path() { return wine_path(TLQ_TLQRUN_FILE); }
std::string tlqedit_path() { return wine_path(TLQ_TLQEDIT_FILE); }

std::string script_text(const std::string& program_name, const std::vector<std::string>& lines) {
    std::string text = "[info]\r\n当前命令数量=" + std::to_string(lines.size()) +
                       "\r\n子程序的名字=main\r\n程序名称=" + program_name + "\r\n[main]";
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool sets_title = lines[i].rfind("title:", 0) == 0;
        text += "\r\n" + std::to_string(i + 1) + "=" +
                (sets_title ? "置信息框标题 " + lines[i].substr(6) : "信息框 " + lines[i]);
    }
    return text;
}

std::string sealed_with_code_key(const std::string& script) { return sealed(script, kCodeKey); }
std::string sealed_with_file_key(const std::string& script) { return sealed(script, kFileKey); }

void PrintTo(const Box& box, std::ostream* out) {
    *out << "{title \"" << box.title << "\", text \"" << box.text << "\", icon "
         << icon_name(box.icon) << "}";
}

RunResult run_answering_boxes(const std::string& command_line,
                              const std::string& current_directory, DWORD timeout_ms) {
    RunResult result;
    RunningProgram program = start_program(command_line, current_directory);
    if (!program.started()) return result;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        if (program.wait_for_exit(0, &result.exit_code)) {
            result.ended = true;
            return result;
        }
        const std::vector<HWND> boxes = dialogs_of(program.pid());
        if (boxes.empty()) {
            Sleep(10);
            continue;
        }
        const MessageBoxInfo info = read_message_box(boxes.front());
        result.boxes.push_back(Box{info.title, info.text, info.icon});
        if (!answer_message_box(boxes.front(), IDOK)) break;
    }
    return result;
}

std::vector<std::string> temp_script_files(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const bool has_separator = !folder.empty() && folder.back() == '\\';
    const std::string pattern = folder + (has_separator ? "" : "\\") + "XDV*.tmp";
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::string name_placeholder() { return "你好世界你好世界你好世界你好世界"; }

std::vector<size_t> occurrences(const std::string& data, const std::string& pattern) {
    std::vector<size_t> found;
    for (size_t at = data.find(pattern); at != std::string::npos; at = data.find(pattern, at + 1)) {
        found.push_back(at);
    }
    return found;
}

bool make_folder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool copy_file(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

}  // namespace tlq::test
