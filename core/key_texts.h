// The two fixed key texts. The code key is the file key followed by six
// digits. The launchers link only code_key.cpp, so they carry no file key.
#pragma once

namespace tlq {

extern const char kFileKey[];
extern const char kCodeKey[];

}  // namespace tlq
