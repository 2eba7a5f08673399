// Worker threads with a cooperative stop. A bare TerminateThread could leave
// the process heap or a loader lock held by the dead thread, so a stop first
// asks: it raises the worker's stop flag and closes the message boxes it is
// waiting in; only a worker that ignores both is killed.
#include "worker.h"

#include <windows.h>
#include <stdlib.h>

namespace tlq {

struct Worker {
    WorkerRoutine routine;
    void* parameter;
    HANDLE thread;
    DWORD thread_id;
    volatile LONG stop_requested;
    // One reference for the caller, one for the running thread: the block
    // lives until both are gone, so the thread never reads freed memory.
    volatile LONG references;
    volatile LONG thread_reference_dropped;
};

namespace {

const DWORD stop_wait_ms = 2000;
const DWORD wait_slice_ms = 10;
const DWORD forced_end_wait_ms = 1000;

thread_local volatile LONG* current_stop_flag = nullptr;

void drop_reference(Worker* worker) {
    if (InterlockedDecrement(&worker->references) == 0) free(worker);
}

void drop_thread_reference(Worker* worker) {
    if (InterlockedExchange(&worker->thread_reference_dropped, 1) == 0) drop_reference(worker);
}

DWORD WINAPI worker_main(void* argument) {
    Worker* worker = static_cast<Worker*>(argument);
    current_stop_flag = &worker->stop_requested;
    worker->routine(worker->parameter);
    current_stop_flag = nullptr;
    drop_thread_reference(worker);
    return 0;
}

bool is_message_box(HWND window) {
    char class_name[16] = {0};
    GetClassNameA(window, class_name, sizeof class_name);
    return lstrcmpA(class_name, "#32770") == 0;
}

// The thread may own hidden helper windows too; only its visible dialogs
// (message boxes, input dialogs) are asked to close.
BOOL CALLBACK close_visible_dialog(HWND window, LPARAM) {
    if (IsWindowVisible(window) && is_message_box(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Waits for the thread, still answering messages sent to this thread so a
// worker that sends to the caller's windows cannot block the stop.
bool wait_for_thread(HANDLE thread, DWORD milliseconds) {
    const DWORD result =
        MsgWaitForMultipleObjects(1, &thread, FALSE, milliseconds, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return true;
    if (result == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

}  // namespace

Worker* start_worker(WorkerRoutine routine, void* parameter) {
    if (!routine) return nullptr;
    Worker* worker = static_cast<Worker*>(calloc(1, sizeof(Worker)));
    if (!worker) return nullptr;
    worker->routine = routine;
    worker->parameter = parameter;
    worker->references = 2;
    DWORD thread_id = 0;
    HANDLE thread = CreateThread(nullptr, 0, worker_main, worker, 0, &thread_id);
    if (!thread) {
        free(worker);
        return nullptr;
    }
    worker->thread = thread;
    worker->thread_id = thread_id;
    return worker;
}

bool current_worker_stop_requested() {
    return current_stop_flag && InterlockedCompareExchange(current_stop_flag, 0, 0) != 0;
}

void kill_worker(Worker* worker) {
    if (!worker || !worker->thread) return;
    InterlockedExchange(&worker->stop_requested, 1);
    // A worker stopping itself cannot wait for its own end.
    if (GetCurrentThreadId() == worker->thread_id) return;
    const DWORD started = GetTickCount();
    while (WaitForSingleObject(worker->thread, 0) != WAIT_OBJECT_0) {
        if (GetTickCount() - started >= stop_wait_ms) {
            TerminateThread(worker->thread, 0);
            WaitForSingleObject(worker->thread, forced_end_wait_ms);
            drop_thread_reference(worker);
            return;
        }
        EnumThreadWindows(worker->thread_id, close_visible_dialog, 0);
        wait_for_thread(worker->thread, wait_slice_ms);
    }
}

bool worker_finished(const Worker* worker) {
    return !worker || !worker->thread || WaitForSingleObject(worker->thread, 0) == WAIT_OBJECT_0;
}

void release_worker(Worker* worker) {
    if (!worker) return;
    if (worker->thread) CloseHandle(worker->thread);
    worker->thread = nullptr;
    drop_reference(worker);
}

}  // namespace tlq
