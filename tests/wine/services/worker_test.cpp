// Workers and their stop: a worker waiting in a message box is stopped at
// once, runs no further step, and leaves the process fully usable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "modal.h"
#include "win/message_box.h"
#include "win/worker.h"

namespace tlq {
namespace test {
namespace {

// A script-like routine: before each step it checks the stop flag, then
// shows one message box.
struct BoxSteps {
    int steps = 3;
    std::atomic<int> started{0};
    std::atomic<bool> returned{false};
    std::atomic<bool> saw_stop{false};
    std::atomic<DWORD> thread_id{0};
};

void show_box_steps(void* parameter) {
    BoxSteps& run = *static_cast<BoxSteps*>(parameter);
    run.thread_id = GetCurrentThreadId();
    for (int i = 0; i < run.steps; ++i) {
        if (current_worker_stop_requested()) {
            run.saw_stop = true;
            break;
        }
        ++run.started;
        show_message("worker step", 0);
    }
    run.returned = true;
}

// Waits for the worker's box; nullptr when none appeared.
HWND worker_box(const BoxSteps& run) {
    if (!wait_for([&] { return run.thread_id != 0; }, 5000)) return nullptr;
    return wait_for_thread_dialog(run.thread_id, 5000);
}

struct WorkerGuard {
    Worker* worker;
    ~WorkerGuard() {
        if (worker) {
            kill_worker(worker);
            release_worker(worker);
        }
    }
};

TEST(Worker, RunsTheRoutineWithItsParameterAndFinishes) {
    std::atomic<int> value{0};
    WorkerGuard guard{start_worker([](void* p) { *static_cast<std::atomic<int>*>(p) = 42; }, &value)};
    ASSERT_NE(guard.worker, nullptr);
    ASSERT_TRUE(wait_for([&] { return worker_finished(guard.worker); }, 5000));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(start_worker(nullptr, nullptr), nullptr);
}

TEST(Worker, StopFlagIsPerWorkerAndFalseOutsideWorkers) {
    EXPECT_FALSE(current_worker_stop_requested());
    std::atomic<int> seen{-1};
    WorkerGuard guard{start_worker([](void* p) { *static_cast<std::atomic<int>*>(p) = current_worker_stop_requested(); }, &seen)};
    ASSERT_TRUE(wait_for([&] { return worker_finished(guard.worker); }, 5000));
    EXPECT_EQ(seen, 0);
}

TEST(Worker, KillClosesTheOpenBoxAndNoFurtherStepRuns) {
    BoxSteps run;
    Worker* worker = start_worker(show_box_steps, &run);
    ASSERT_NE(worker, nullptr);
    HWND box = worker_box(run);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(read_message_box(box).text, "worker step");

    kill_worker(worker);
    EXPECT_TRUE(worker_finished(worker));
    EXPECT_FALSE(IsWindow(box)) << "the worker's box is still there";
    EXPECT_EQ(run.started, 1) << "a step ran after the stop";
    EXPECT_TRUE(run.saw_stop) << "the worker did not end through its stop flag";
    EXPECT_TRUE(run.returned);
    EXPECT_TRUE(dialogs_of(GetCurrentProcessId()).empty());
    release_worker(worker);
}

TEST(Worker, KillOfAFinishedWorkerReturnsAtOnce) {
    BoxSteps run;
    run.steps = 0;
    Worker* worker = start_worker(show_box_steps, &run);
    ASSERT_TRUE(wait_for([&] { return worker_finished(worker); }, 5000));
    kill_worker(worker);
    EXPECT_TRUE(run.returned);
    release_worker(worker);
    kill_worker(nullptr);
    release_worker(nullptr);
    EXPECT_TRUE(worker_finished(nullptr));
}

// A routine that never looks at its stop flag is ended by force after the
// bounded wait.
TEST(Worker, KillEndsAWorkerThatIgnoresTheStop) {
    std::atomic<bool> after_sleep{false};
    Worker* worker = start_worker(
        [](void* p) {
            Sleep(60000);
            *static_cast<std::atomic<bool>*>(p) = true;
        },
        &after_sleep);
    ASSERT_NE(worker, nullptr);
    kill_worker(worker);
    EXPECT_TRUE(worker_finished(worker));
    EXPECT_FALSE(after_sleep);
    release_worker(worker);
}

TEST(Worker, HundredStopsWhileABoxIsOpenLeaveTheProcessUsable) {
    for (int cycle = 0; cycle < 100; ++cycle) {
        BoxSteps run;
        Worker* worker = start_worker(show_box_steps, &run);
        ASSERT_NE(worker, nullptr);
        HWND box = worker_box(run);
        ASSERT_NE(box, nullptr) << "cycle " << cycle;
        kill_worker(worker);
        ASSERT_TRUE(worker_finished(worker));
        ASSERT_FALSE(IsWindow(box)) << "cycle " << cycle;
        ASSERT_EQ(run.started, 1);
        release_worker(worker);
    }
    // No lock of a dead thread is left: the heaps still serve and the user
    // interface still shows and closes a box.
    void* block = std::malloc(1 << 20);
    ASSERT_NE(block, nullptr);
    std::free(block);
    void* heap_block = HeapAlloc(GetProcessHeap(), 0, 1 << 20);
    ASSERT_NE(heap_block, nullptr);
    HeapFree(GetProcessHeap(), 0, heap_block);
    std::string text;
    const int answer = run_modal([] { return show_message("still alive", MB_OKCANCEL); },
                                 [&](HWND box) {
                                     if (!box) return;
                                     text = read_message_box(box).text;
                                     press_button(box, IDCANCEL);
                                 });
    EXPECT_EQ(text, "still alive");
    EXPECT_EQ(answer, answer_cancel);
}

}  // namespace
}  // namespace test
}  // namespace tlq
