// The platform's WebBrowser control in a window of ours, hosted by a small
// OLE site (client site, in-place site and frame, event sink).
#pragma once

#include <windows.h>

#include <stdint.h>
#include <string>

namespace tlq::help {

class BrowserSite;

class BrowserHost {
public:
    // address: GBK text converted from the engine's address; frame: an
    // identity of the frame whose address changed.
    using AddressChanged = void (*)(void* context, const std::string& address, uint32_t frame);

    BrowserHost() = default;
    ~BrowserHost();
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // Creates the control as a child of parent at the rectangle (client
    // coordinates) and starts loading start_address. False when the engine
    // cannot be created; the host then stays empty and ignores every call.
    bool create(HWND parent, const RECT& rect, const std::string& start_address,
                AddressChanged on_address_changed, void* context);
    void destroy();
    bool created() const { return site_ != nullptr; }

    void set_width(int width);
    void set_height(int height);
    // A non-empty address navigates the whole control to it.
    void navigate(const std::string& address);
    // Gives the page its keys (Tab, arrows, accelerators); true when used.
    bool translate_accelerator(MSG* msg);

private:
    BrowserSite* site_ = nullptr;
};

// Sets the user-agent text for every later request of the process; call
// before the control is created.
void set_browser_user_agent(const std::string& user_agent);

// Asks the engine to render this program's pages in its current standards
// mode instead of the old compatibility mode.
void use_current_browser_mode();

}  // namespace tlq::help
