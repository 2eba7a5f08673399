// "编译项目": seals the script into a code file and writes a named copy of
// the project launcher beside it.
#include "compile_command.h"

#include "editor_access.h"

namespace tlq::editor {

void compile_project() {
    if (!has_document()) return;
}

}  // namespace tlq::editor
