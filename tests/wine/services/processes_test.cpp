// launch_command and kill_process_by_name with real processes.
#include <gtest/gtest.h>

#include "driver.h"
#include "win/processes.h"

namespace tlq {
namespace test {
namespace {

const char helper_name[] = "tlq_service_helper.exe";

std::string helper_command(const std::string& arguments) {
    return quoted(own_directory() + "\\" + helper_name) + " " + arguments;
}

// Ends every helper left over by a failed case.
void end_all_helpers() {
    for (DWORD pid : processes_named(helper_name)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

class Processes : public testing::Test {
protected:
    void SetUp() override { end_all_helpers(); }
    void TearDown() override { end_all_helpers(); }
    ScratchFolder folder;
};

TEST_F(Processes, LaunchWithWaitReturnsAfterTheProcessEnded) {
    const std::string marker = folder / "marker.txt";
    ASSERT_TRUE(launch_command(helper_command("marker " + quoted(marker) + " 300").c_str(), true));
    EXPECT_EQ(read_file(marker), "done");
    EXPECT_TRUE(processes_named(helper_name).empty());
}

TEST_F(Processes, LaunchWithoutWaitReturnsWhileTheProcessRuns) {
    const std::string marker = folder / "marker.txt";
    ASSERT_TRUE(launch_command(helper_command("marker " + quoted(marker) + " 3000").c_str(), false));
    EXPECT_FALSE(file_exists(marker));
    EXPECT_EQ(processes_named(helper_name).size(), 1u);
}

TEST_F(Processes, LaunchFailsForWhatCannotStart) {
    EXPECT_FALSE(launch_command("", true));
    EXPECT_FALSE(launch_command((folder / "missing.exe").c_str(), true));
    EXPECT_FALSE(launch_command(quoted(folder.path()).c_str(), true));
}

TEST_F(Processes, ShowModeReachesTheNewProcess) {
    struct Case {
        int mode;
        int show;
    };
    const Case cases[] = {
        {1, SW_HIDE},           {2, SW_SHOWNORMAL},     {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED},
        {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE},       {0, SW_HIDE},          {-3, SW_HIDE},
        {7, SW_MINIMIZE},       {100, SW_MINIMIZE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string out = folder / ("show" + std::to_string(c.mode) + ".txt");
        ASSERT_TRUE(launch_command(helper_command("show " + quoted(out)).c_str(), true, c.mode));
        unsigned long flags = 0;
        unsigned show = 99;
        ASSERT_EQ(sscanf(read_file(out).c_str(), "%lu %u", &flags, &show), 2);
        EXPECT_NE(flags & STARTF_USESHOWWINDOW, 0u);
        EXPECT_EQ(static_cast<int>(show), c.show);
    }
    // Absent show mode: normal.
    const std::string out = folder / "default.txt";
    ASSERT_TRUE(launch_command(helper_command("show " + quoted(out)).c_str(), true));
    EXPECT_EQ(read_file(out), std::to_string(STARTF_USESHOWWINDOW) + " " + std::to_string(SW_SHOWNORMAL));
}

TEST_F(Processes, KillByNameEndsExactlyOneOfTwo) {
    RunningProgram first = start_program(helper_command("wait 30000"));
    RunningProgram second = start_program(helper_command("wait 30000"));
    ASSERT_TRUE(first.started() && second.started());
    ASSERT_TRUE(wait_for([] { return processes_named(helper_name).size() == 2; }));

    EXPECT_TRUE(kill_process_by_name("TLQ_Service_Helper.EXE"));
    ASSERT_TRUE(wait_for([&] { return !first.running() || !second.running(); }));
    EXPECT_NE(first.running(), second.running()) << "exactly one must end";
    DWORD code = 99;
    RunningProgram& ended = first.running() ? second : first;
    GetExitCodeProcess(ended.handle(), &code);
    EXPECT_EQ(code, 0u);

    EXPECT_TRUE(kill_process_by_name(helper_name));
    EXPECT_TRUE(wait_for([&] { return !first.running() && !second.running(); }));
    EXPECT_FALSE(kill_process_by_name(helper_name));
}

TEST_F(Processes, KillByNameFindsAWindowTitleFirst) {
    RunningProgram titled = start_program(helper_command("window TlqTitledHelper 30000"));
    ASSERT_TRUE(titled.started()) << "CreateProcess error " << GetLastError();
    ASSERT_NE(wait_for_window(titled.pid(), nullptr, "TlqTitledHelper"), nullptr);
    // The window search ignores case; no process has this file name.
    EXPECT_TRUE(kill_process_by_name("tlqtitledhelper"));
    EXPECT_TRUE(titled.wait_for_exit(5000));
}

TEST_F(Processes, KillByNameGivesFalseWhenNothingMatches) {
    EXPECT_FALSE(kill_process_by_name(""));
    EXPECT_FALSE(kill_process_by_name("no_such_program_tlq.exe"));
    EXPECT_FALSE(kill_process_by_name("tlq_service_helper"));  // without extension: no match
}

}  // namespace
}  // namespace test
}  // namespace tlq
