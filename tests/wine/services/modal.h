// Runs a modal call (message box, input or file dialog) on the test's own
// thread while a second thread finds the dialog it shows and drives it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "driver.h"

namespace tlq {
namespace test {

// drive receives the dialog, or nullptr when none appeared in time. Whatever
// is still open after drive is closed, so a failing test cannot hang, and
// the test fails.
template <typename Modal>
auto run_modal(Modal modal, const std::function<void(HWND)>& drive) -> decltype(modal()) {
    std::atomic<bool> returned{false};
    std::atomic<bool> rescued{false};
    std::thread driver([&] {
        const DWORD pid = GetCurrentProcessId();
        HWND dialog = nullptr;
        wait_for([&] { return returned || (dialog = find_window(pid, "#32770")) != nullptr; }, 30000);
        if (!returned) drive(dialog);
        if (wait_for([&] { return returned.load(); }, 10000)) return;
        rescued = true;
        while (!returned) {
            for (HWND open : dialogs_of(pid)) {
                PostMessageA(open, WM_CLOSE, 0, 0);
                for (int id = IDOK; id <= IDNO; ++id) press_button(open, id);
            }
            wait_for([&] { return returned.load(); }, 1000);
        }
    });
    auto result = modal();
    returned = true;
    driver.join();
    EXPECT_FALSE(rescued) << "the dialog stayed open after the test drove it";
    return result;
}

}  // namespace test
}  // namespace tlq
