// Help launch: end a running help viewer, then start the one beside the editor.
#include "help_launch.h"

#include "win/processes.h"
#include "win/system_paths.h"

namespace tlq::editor {

void launch_help()
{
    // Results ignored: a missing viewer simply shows nothing.
    kill_process_by_name("hview.exe");
    launch_command(program_directory() + "\\hview.exe", false);
}

}  // namespace tlq::editor
