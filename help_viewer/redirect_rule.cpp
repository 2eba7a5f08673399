#include "redirect_rule.h"

#include "help_site.h"

namespace tlq::help {

std::string redirect_target(std::string_view address)
{
    if (address == item_index_page()) return start_page();
    const std::string login = login_page();
    // A shorter address cannot begin with the login page.
    if (address.size() >= login.size() && address.substr(0, login.size()) == login)
        return start_page();
    return std::string();
}

}  // namespace tlq::help
