// "编译项目": seals the script into a code file and, on request, writes a
// copy of the project launcher with the program name in its name field.
#include "compile_command.h"

#include "editor_access.h"
#include "file_services.h"
#include "ini_reader.h"
#include "key_texts.h"
#include "launcher_images.h"
#include "random.h"
#include "sealed_file.h"
#include "text_ops.h"
#include "win/ask_text.h"
#include "win/message_box.h"
#include "win/system_paths.h"

namespace tlq::editor {

namespace {

// The project launcher's name field as built: "你好世界" four times.
const char kNamePlaceholder[] = "你好世界你好世界你好世界你好世界";
constexpr int32_t kNameFieldSize = 32;

const char kProductTitle[] = "Taliq Script";

void show_error(const Text& message) {
    const Text title(kProductTitle);
    show_message(message, 16, &title);
}

void report_failed_write(const Text& path) { show_error(Text("无法写入文件：\r\n") + path); }

// A file name may not hold \ / : * ? " < > | nor control bytes. Walks by GBK
// characters: a trail byte such as 0x5C belongs to its character.
bool valid_file_name(const Text& name) {
    static const char kForbidden[] = "\\/:*?\"<>|";
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char byte = name[i];
        if (byte >= 0x80) {
            ++i;
            continue;
        }
        if (byte < 0x20) return false;
        for (const char* forbidden = kForbidden; *forbidden; ++forbidden) {
            if (byte == static_cast<unsigned char>(*forbidden)) return false;
        }
    }
    return true;
}

// A plain copy of the script in the temporary folder's tlqscript_debug,
// read for its header and removed at once, so no unsealed copy stays.
// The copy is Compile's own: a debug run in progress keeps its file.
Text program_name_of(const Bytes& script) {
    const Text debug_folder = special_folder_path(11) + "\\tlqscript_debug";
    make_directory(debug_folder);
    const Text copy_path =
        debug_folder + "\\XDV" + int_to_text(random_in_range(80000, 900000)) + ".tmp";
    write_whole_file(copy_path, script);
    Text name = profile_read(copy_path, "info", "程序名称");
    remove_file(copy_path);
    return name;
}

bool ask_target_folder(Text& folder) {
    const Text prompt("请输入编译后存放文件的目录(末尾不带反斜杠)");
    const Text title(kProductTitle);
    return ask_text(&prompt, &title, nullptr, folder, 1, main_window()) && !folder.empty();
}

// The launcher image with the name, padded with spaces to the 32-byte
// field, in place of the placeholder. The image keeps its length.
Bytes named_launcher(const Text& name) {
    const Bytes image(kProjectLauncherImage, kProjectLauncherImageSize);
    const Bytes field = name + spaces(kNameFieldSize - byte_length(name));
    return replace_bytes(image, Bytes(kNamePlaceholder), field);
}

void write_launcher(const Text& folder, const Text& name) {
    if (byte_length(name) > kNameFieldSize) {
        const Text title(kProductTitle);
        show_message(Text("代码文件已写入。程序名称“") + name +
                         "”超过32字节，放不进批处理代码启动器，因此没有写入启动器。",
                     48, &title);
        return;
    }
    if (show_message("要将批处理代码启动器放在同一目录下吗？", 33) != answer_ok) return;
    const Text launcher_path = folder + "\\" + name + ".exe";
    if (!replace_file_safely(launcher_path, named_launcher(name))) {
        report_failed_write(launcher_path);
    }
}

}  // namespace

void compile_project() {
    if (!has_document()) {
        show_message("Error: not found file", 0);
        return;
    }
    const Text text = document_text();
    const Text name = program_name_of(text_to_bytes(text));
    if (!valid_file_name(name)) {
        show_error(Text("程序名称“") + name +
                   "”不能用作文件名：名称中不能有 \\ / : * ? \" < > | 这些字符。");
        return;
    }
    Text folder;
    if (!ask_target_folder(folder)) return;
    const Text code_path = folder + "\\" + name + ".tlqcode";
    if (!replace_file_safely(code_path, seal(text_to_bytes(text), kCodeKey))) {
        report_failed_write(code_path);
        return;
    }
    write_launcher(folder, name);
}

}  // namespace tlq::editor
