// The interpreter loop on generated scripts of 10^5 and 10^6 title lines
// (no message boxes), through a host whose show_message only counts. The
// ratio of the two times shows whether the loop stays linear (about 10).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "interpreter.h"

namespace {

class CountingHost : public tlq::ScriptHost {
public:
    void show_message(const tlq::Text&, const tlq::Text*) override { ++messages; }
    void end_of_run() override { ++ends; }
    bool stop_requested() override { return false; }

    long messages = 0;
    long ends = 0;
};

// "[info]" header plus lines 1..count, each a title line.
std::string script_text(int32_t count) {
    std::string text = "[info]\r\n当前命令数量=" + std::to_string(count) +
                       "\r\n子程序的名字=main\r\n程序名称=Bench\r\n[main]\r\n";
    const std::string line = "=置信息框标题 X\r\n";
    text.reserve(text.size() + size_t(count) * (line.size() + 8));
    for (int32_t n = 1; n <= count; ++n) text += std::to_string(n) + line;
    return text;
}

bool write_file(const std::string& path, const std::string& content) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
    return fclose(file) == 0 && written;
}

struct Timing {
    double seconds = 1e30;
    size_t bytes = 0;
};

// Best of several runs of the whole loop, header reading included.
bool time_script(const std::string& folder, int32_t count, int runs, Timing& timing) {
    std::string path = folder + "/bench_script_" + std::to_string(count) + ".ini";
    std::string text = script_text(count);
    if (!write_file(path, text)) return false;
    timing.bytes = text.size();
    bool ok = true;
    for (int run = 0; run < runs; ++run) {
        CountingHost host;
        tlq::Text title;
        tlq::RunState state;
        auto start = std::chrono::steady_clock::now();
        tlq::read_script_header(tlq::Text(path.c_str()), tlq::IniMode::profile, state);
        tlq::RunEnd end = tlq::run_script(state, title, host);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        timing.seconds = std::min(timing.seconds, seconds);
        // A run that did not execute every line measures nothing.
        if (end != tlq::RunEnd::normal || host.ends != 1 || host.messages != 0 ||
            state.command_count != count || title != tlq::Text("X")) {
            ok = false;
        }
    }
    remove(path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    int runs = 3;
    if (const char* env = getenv("TLQ_BENCH_RUNS")) runs = std::max(1, atoi(env));

    Timing small, large;
    if (!time_script(folder, 100000, runs, small) || !time_script(folder, 1000000, runs, large)) {
        fprintf(stderr, "bench_interpreter: a run did not execute every line\n");
        return 1;
    }
    printf("lines_per_second_1e6: %.0f\n", 1e6 / large.seconds);
    printf("lines_per_second_1e5: %.0f\n", 1e5 / small.seconds);
    printf("scaling_1e6_over_1e5: %.2f\n", large.seconds / small.seconds);
    printf("script_MBps_1e6: %.1f\n", double(large.bytes) / 1e6 / large.seconds);
    printf("script_MBps_1e5: %.1f\n", double(small.bytes) / 1e6 / small.seconds);
    return 0;
}
