#include "tlqc_process.h"

#include <thread>

namespace tlq::test {

namespace {

// Reads a pipe to its end on a thread of its own, so neither stream can
// fill up and stall the program.
class PipeReader {
public:
    explicit PipeReader(HANDLE read_end)
        : thread_([this, read_end] {
              char buffer[4096];
              DWORD got = 0;
              while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) data_.append(buffer, got);
              CloseHandle(read_end);
          }) {}
    std::string finish() {
        thread_.join();
        return data_;
    }

private:
    std::string data_;
    std::thread thread_;
};

bool make_pipe(HANDLE& read_end, HANDLE& write_end) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return false;
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);  // the child gets the write end only
    return true;
}

}  // namespace

std::string tlqc_path() {
    std::string path = std::string("Z:") + TLQC_FILE;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

TlqcOutcome run_tlqc(const std::string& arguments, const std::string& folder) {
    TlqcOutcome outcome;
    HANDLE out_read, out_write, err_read, err_write;
    if (!make_pipe(out_read, out_write)) return outcome;
    if (!make_pipe(err_read, err_write)) {
        CloseHandle(out_read);
        CloseHandle(out_write);
        return outcome;
    }
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE none = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                              nullptr);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = none;
    start.hStdOutput = out_write;
    start.hStdError = err_write;
    std::string command_line = "\"" + tlqc_path() + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, folder.empty() ? nullptr : folder.c_str(), &start, &process);
    CloseHandle(out_write);
    CloseHandle(err_write);
    if (none != INVALID_HANDLE_VALUE) CloseHandle(none);
    PipeReader out(out_read);
    PipeReader err(err_read);
    if (started) {
        outcome.ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
        if (!outcome.ended) TerminateProcess(process.hProcess, 99);
        GetExitCodeProcess(process.hProcess, &outcome.status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    outcome.out = out.finish();
    outcome.err = err.finish();
    return outcome;
}

}  // namespace tlq::test
