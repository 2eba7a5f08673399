// Keeps the browser inside the help: the site's item index and its login
// pages lead away from it and are sent back to the start page.
#pragma once

#include <string>
#include <string_view>

namespace tlq::help {

// The address to navigate to after the browser reached `address`, or the
// empty text to stay. Byte-exact and case-sensitive: the item index must
// match whole, a login page by its leading bytes.
std::string redirect_target(std::string_view address);

}  // namespace tlq::help
