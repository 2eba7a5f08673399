// What the editor's other commands (compile, help, About) may ask of the
// main window. Implemented by the main window.
#pragma once

#include <windows.h>
#include "byte_string.h"

namespace tlq::editor {

HINSTANCE app_instance();
HWND main_window();
// False in the no-document state (edit box disabled).
bool has_document();
// The edit box's whole text, CR LF between lines.
Text document_text();

}  // namespace tlq::editor
