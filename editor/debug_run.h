// The 运行 menu: Start runs the edit box's script on a worker thread through
// a plain temporary file; Stop ends that run at once.
#pragma once

#include <windows.h>

namespace tlq::editor {

// Posted by a run's worker to the main window when its script has ended;
// lParam is the run.
const UINT kRunEndedMessage = WM_APP + 1;

void start_run();
void stop_run();
void on_run_ended(LPARAM run);
// Ends a run still in progress when the editor closes.
void end_run_at_exit();
void release_run_texts();

}  // namespace tlq::editor
