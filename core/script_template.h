// The script text that New puts into the edit box: the reference example of
// a script, 115 bytes of GBK with CR LF line ends and none after the last line.
#pragma once

namespace tlq {

extern const char kScriptTemplate[];

}  // namespace tlq
