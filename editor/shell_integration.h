// Installs the code launcher and registers the two file types; run at every
// editor start.
#pragma once

namespace tlq::editor {

void install_and_register();

}  // namespace tlq::editor
