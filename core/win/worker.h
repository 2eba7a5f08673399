// Worker threads with a cooperative stop. kill_worker never leaves a lock
// of the worker held: it sets the stop flag, closes the worker's message
// boxes and waits; a forced kill is only the last resort.
#pragma once

namespace tlq {

struct Worker;  // opaque; owned by the caller, freed with release_worker
using WorkerRoutine = void (*)(void* parameter);

// nullptr when the thread could not be started.
Worker* start_worker(WorkerRoutine routine, void* parameter);
// True inside a worker whose stop has been requested (false elsewhere).
bool current_worker_stop_requested();
// Stops the worker, its open message box closed at once; returns when the
// thread has ended (bounded wait, then forced).
void kill_worker(Worker* worker);
bool worker_finished(const Worker* worker);
// Frees the handle of a finished (or killed) worker.
void release_worker(Worker* worker);

}  // namespace tlq
