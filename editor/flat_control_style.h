// The flat look for the editor's standard controls.
#pragma once

namespace tlq::editor {

// From now on, on the calling thread, push buttons, check boxes, radio
// buttons, group boxes, edit boxes, combo boxes with their drop-down lists
// and spin controls are drawn flat: those that exist now and those created
// later. Stays on until the thread ends; calling it again changes nothing.
void switch_on_flat_control_style();

}  // namespace tlq::editor
