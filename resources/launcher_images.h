// The two launcher programs, built before the editor and carried inside it
// byte for byte (generated from the built executables).
#pragma once

#include <stddef.h>

namespace tlq {

// The project launcher, with the program-name placeholder in its name field.
extern const unsigned char kProjectLauncherImage[];
extern const size_t kProjectLauncherImageSize;

// The code launcher, installed unchanged into the application-data folder.
extern const unsigned char kCodeLauncherImage[];
extern const size_t kCodeLauncherImageSize;

}  // namespace tlq
