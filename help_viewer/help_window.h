// The help viewer's only window: the browser, its resize timer and the
// network check made once the window is up.
#pragma once

#include <windows.h>

#include <string>

#include "browser_host.h"

namespace tlq::help {

class HelpWindow {
public:
    // Creates the window at its restored place with the timer and the browser.
    bool create(HINSTANCE instance);
    void show_maximised();
    // Probes the internet; without an answer shows the error box and closes
    // the window, which ends the program.
    void check_network();
    // Lets the page see its keys before the window does.
    bool translate_accelerator(MSG* msg) { return browser_.translate_accelerator(msg); }

    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    static void on_address_changed(void* context, const std::string& address, uint32_t frame);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void on_created();
    void on_resize_tick();
    void on_destroyed();

    HWND window_ = nullptr;
    BrowserHost browser_;
};

}  // namespace tlq::help
