// The 文件 menu: New, Open, Save, Save As, Delete project, and the document
// they work on: the edit box's text, the file it came from or was saved to,
// and whether the user changed the text since.
#pragma once

#include "byte_string.h"

namespace tlq::editor {

void new_script();
void open_script();
// True when the text reached the file.
bool save_script();
bool save_script_as();
void delete_project();

// Start-up with a script file named on the command line.
void open_script_at_start(const Text& path);

// The user typed into the edit box.
void note_text_edited();
// Asks before unsaved text would be lost; true when the caller may go on.
bool may_discard_text();

void release_document_texts();

}  // namespace tlq::editor
