// Runs a modal call (message box, input or file dialog) on the test's own
// thread while a second thread finds the dialog it shows and drives it.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

#include "driver.h"

namespace tlq {
namespace test {

// drive receives the dialog, or nullptr when none appeared in time. If the
// dialog is still open after drive, it is closed so the test cannot hang.
template <typename Modal>
auto run_modal(Modal modal, const std::function<void(HWND)>& drive) -> decltype(modal()) {
    std::thread driver([&drive] {
        HWND dialog = wait_for_dialog(GetCurrentProcessId(), 10000);
        drive(dialog);
        if (dialog && !wait_until_gone(dialog, 5000)) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            if (!wait_until_gone(dialog, 2000)) press_button(dialog, IDOK);
        }
    });
    auto result = modal();
    driver.join();
    return result;
}

}  // namespace test
}  // namespace tlq
