// One plain HTTP GET through WinINet, used to tell whether the internet can
// be reached.
#pragma once

#include <string>

namespace tlq::help {

// The response body of a GET of `address`: all of it, or what arrived before
// the connection failed; empty when the connection or the request fails. The
// status code is not looked at, so an error page with a body counts.
std::string http_read(const std::string& address);

}  // namespace tlq::help
