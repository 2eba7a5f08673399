#include "launcher_image.h"

#include "launcher_images.h"

namespace tlq::tlqc {

Bytes project_launcher_image() { return Bytes(kProjectLauncherImage, kProjectLauncherImageSize); }

}  // namespace tlq::tlqc
