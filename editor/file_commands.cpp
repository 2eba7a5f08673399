// File commands. The document's file is tracked by two paths: the open path
// (accepted in Open or named at start-up) and the save path (accepted in
// Save As). New forgets both and an accepted Open forgets the save path, so
// Save and Delete project never reach a file whose text is not the one shown.
#include "file_commands.h"

#include <windows.h>

#include "edit_box.h"
#include "editor_access.h"
#include "file_services.h"
#include "script_files.h"
#include "script_template.h"
#include "win/file_dialogs.h"
#include "win/message_box.h"

namespace tlq::editor {

namespace {

Text save_path;
Text open_path;
bool text_changed = false;

const Text product_title("Taliq Script");
const unsigned warning_ok_cancel = MB_OKCANCEL | MB_ICONWARNING;  // 49
const unsigned error_box = MB_OK | MB_ICONERROR;
const unsigned yes_no_cancel_question = MB_YESNOCANCEL | MB_ICONQUESTION;

FileDialogSettings script_dialog_settings() {
    FileDialogSettings settings;
    settings.filter = "Taliq Script文件(*.tqspt)|*.tqspt";
    settings.default_extension = "tqspt";
    return settings;
}

void show_error(const Text& message) { show_message(message, error_box, &product_title); }

void report_load_failure(ScriptLoad result, const Text& path) {
    if (result == ScriptLoad::foreign) {
        show_error(Text("无法打开这个文件，它不是Taliq Script脚本文件：\r\n") + path);
    } else {
        show_error(Text("无法读取这个文件：\r\n") + path);
    }
}

// The editor's own changes of the text are not the user's edits.
void show_document(const Text& text) {
    enable_edit_box();
    set_edit_box_text(text);
    text_changed = false;
    SetFocus(edit_box());
}

bool write_document_to(const Text& path) {
    if (!store_script(path, edit_box_text())) {
        show_error(Text("保存失败，文件没有写入：\r\n") + path +
                   "\r\n原有的文件保持不变。");
        return false;
    }
    text_changed = false;
    return true;
}

bool ask_twice_before_deleting() {
    const Text first("WARNING!\r\n执行此操作会导致您的文件永久丢失！\r\n您确定要继续吗？");
    const Text second("WARNING!\r\n消失后就找不回了！\r\n您确定要继续吗？");
    return show_message(first, warning_ok_cancel, &product_title) == answer_ok &&
           show_message(second, warning_ok_cancel, &product_title) == answer_ok;
}

}  // namespace

void new_script() {
    if (!may_discard_text()) return;
    save_path = Text();
    open_path = Text();
    show_document(Text(kScriptTemplate));
}

void open_script() {
    if (!may_discard_text()) return;
    Text chosen;
    if (!show_open_dialog(main_window(), script_dialog_settings(), chosen)) return;
    Text text;
    const ScriptLoad result = load_script(chosen, text);
    if (result != ScriptLoad::loaded) {
        report_load_failure(result, chosen);
        return;
    }
    open_path = chosen;
    save_path = Text();
    show_document(text);
}

bool save_script() {
    if (save_path.empty()) return save_script_as();
    return write_document_to(save_path);
}

bool save_script_as() {
    Text chosen;
    if (!show_save_dialog(main_window(), script_dialog_settings(), chosen)) return false;
    if (!write_document_to(chosen)) return false;
    save_path = chosen;
    return true;
}

void delete_project() {
    const Text target = !save_path.empty() ? save_path : open_path;
    if (target.empty()) {
        show_message("Error: this file is not saved now.", 0, &product_title);
        return;
    }
    if (!ask_twice_before_deleting()) return;
    remove_file(target);
    set_edit_box_text(Text());
    // The user chose to throw the text away with its file.
    text_changed = false;
}

void open_script_at_start(const Text& path) {
    Text text;
    const ScriptLoad result = load_script(path, text);
    if (result == ScriptLoad::unreadable || result == ScriptLoad::foreign) {
        report_load_failure(result, path);
        return;
    }
    // A missing file still opens an empty document under that name.
    open_path = path;
    show_document(text);
}

void note_text_edited() { text_changed = true; }

bool may_discard_text() {
    if (!text_changed) return true;
    const Text question("当前脚本的修改还没有保存。\r\n要在继续之前保存吗？");
    switch (show_message(question, yes_no_cancel_question, &product_title)) {
    case answer_yes: return save_script();
    case answer_no: return true;
    default: return false;
    }
}

void release_document_texts() {
    save_path = Text();
    open_path = Text();
}

}  // namespace tlq::editor
