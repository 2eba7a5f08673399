// The addresses the help viewer knows: the help site and the network probe.
// Every address of the program is built here and nowhere else.
#pragma once

#include <string>

namespace tlq::help {

// Scheme and host of the help site; pages are paths on it.
inline constexpr char site_base[] = "https://help.taliqscript.cn";

inline constexpr char start_page_path[] = "/tlqhelp";
inline constexpr char item_index_path[] = "/item/index";
inline constexpr char login_path[] = "/user/login";

// A public plain-HTTP page that always answers with a short body; only used
// to tell whether the internet can be reached.
inline constexpr char probe_address[] = "http://www.msftconnecttest.com/connecttest.txt";

inline std::string site_page(const char* path) { return std::string(site_base) + path; }
inline std::string start_page() { return site_page(start_page_path); }
inline std::string item_index_page() { return site_page(item_index_path); }
inline std::string login_page() { return site_page(login_path); }

}  // namespace tlq::help
