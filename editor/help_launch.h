// Starts the help viewer from the editor's folder, ending one running copy.
#pragma once

namespace tlq::editor {

void launch_help();

}  // namespace tlq::editor
