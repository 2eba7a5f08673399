// hview: shows the online help in an embedded browser and keeps the user
// inside it. Reads no arguments and no files.
#include <windows.h>
#include <ole2.h>

#include "browser_host.h"
#include "help_window.h"
#include "win/system_paths.h"

namespace {

const char browser_user_agent[] =
    "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/69.0.3497.100 Safari/537.36";

int run_message_loop(tlq::help::HelpWindow& window)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (window.translate_accelerator(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    tlq::init_program_location();
    if (FAILED(OleInitialize(nullptr))) return 1;
    tlq::help::use_current_browser_mode();
    tlq::help::set_browser_user_agent(browser_user_agent);

    int exit_code = 1;
    {
        tlq::help::HelpWindow window;
        if (window.create(instance)) {
            window.show_maximised();
            window.check_network();
            exit_code = run_message_loop(window);
        }
    }
    OleUninitialize();
    return exit_code;
}
