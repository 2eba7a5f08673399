#include "random.h"

#include <windows.h>

namespace tlq {

uint32_t platform_tick_count() { return GetTickCount(); }

}  // namespace tlq
