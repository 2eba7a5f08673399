// The probe request: HTTP/1.0, "Accept: */*", an old MSIE user agent, no
// proxy, nothing taken from or written to the cache. InternetOpenUrlA would
// send HTTP/1.1, so the request is built by hand.
#include "network_probe.h"

#include <windows.h>
#include <wininet.h>

namespace tlq::help {

namespace {

const char probe_user_agent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const char accept_header[] = "Accept: */*\r\n";
const DWORD request_flags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
// A dead network must end in the error box within seconds, not a frozen window.
const DWORD connect_timeout_ms = 5000;
const DWORD transfer_timeout_ms = 5000;

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { if (handle_) InternetCloseHandle(handle_); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

void set_timeouts(HINTERNET handle)
{
    DWORD connect = connect_timeout_ms;
    DWORD transfer = transfer_timeout_ms;
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &transfer, sizeof transfer);
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &transfer, sizeof transfer);
}

struct AddressParts {
    std::string host;
    std::string path;  // with the query
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
};

bool split_address(const std::string& address, AddressParts& parts)
{
    char host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    char path[INTERNET_MAX_PATH_LENGTH] = {};
    char extra[INTERNET_MAX_PATH_LENGTH] = {};
    URL_COMPONENTSA components = {};
    components.dwStructSize = sizeof components;
    components.lpszHostName = host;
    components.dwHostNameLength = sizeof host;
    components.lpszUrlPath = path;
    components.dwUrlPathLength = sizeof path;
    components.lpszExtraInfo = extra;
    components.dwExtraInfoLength = sizeof extra;
    if (!InternetCrackUrlA(address.c_str(), 0, 0, &components)) return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP || host[0] == '\0') return false;
    parts.host = host;
    parts.path = std::string(path[0] ? path : "/") + extra;
    parts.port = components.nPort;
    return true;
}

std::string read_body(HINTERNET request)
{
    std::string body;
    char buffer[8192];
    for (;;) {
        DWORD got = 0;
        // A failed read ends the body like a closed connection does.
        if (!InternetReadFile(request, buffer, sizeof buffer, &got) || got == 0) break;
        body.append(buffer, got);
    }
    return body;
}

}  // namespace

std::string http_read(const std::string& address)
{
    AddressParts parts;
    if (!split_address(address, parts)) return std::string();

    InternetHandle session(InternetOpenA(probe_user_agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return std::string();
    set_timeouts(session.get());

    InternetHandle connection(InternetConnectA(session.get(), parts.host.c_str(), parts.port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return std::string();
    set_timeouts(connection.get());

    InternetHandle request(HttpOpenRequestA(connection.get(), "GET", parts.path.c_str(), "HTTP/1.0",
                                            nullptr, nullptr, request_flags, 0));
    if (!request) return std::string();
    set_timeouts(request.get());

    if (!HttpSendRequestA(request.get(), accept_header, static_cast<DWORD>(-1), nullptr, 0))
        return std::string();
    return read_body(request.get());
}

}  // namespace tlq::help
