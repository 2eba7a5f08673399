// "编译项目": the script becomes a code file and, on request, a named copy
// of the project launcher.
#pragma once

namespace tlq::editor {

void compile_project();

}  // namespace tlq::editor
