// Special folders, the program's own location and its argument lists.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "driver.h"
#include "win/system_paths.h"

namespace tlq {
namespace test {
namespace {

bool ends_in_exactly_one_separator(const std::string& path) {
    return path.size() >= 2 && path.back() == '\\' && path[path.size() - 2] != '\\';
}

std::string shell_folder(int csidl) {
    char buffer[MAX_PATH + 1] = {0};
    SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE);
    return buffer;
}

std::string with_one_separator(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\";
}

TEST(SystemPathsSpecialFolder, EveryNumberOfTheTableNamesItsFolder) {
    char windows[MAX_PATH + 1] = {0}, system[MAX_PATH + 1] = {0}, temp[MAX_PATH + 1] = {0};
    GetWindowsDirectoryA(windows, sizeof windows);
    GetSystemDirectoryA(system, sizeof system);
    GetTempPathA(sizeof temp, temp);
    const std::pair<int, std::string> cases[] = {
        {1, shell_folder(CSIDL_PERSONAL)},  {2, shell_folder(CSIDL_FAVORITES)},
        {3, shell_folder(CSIDL_DESKTOPDIRECTORY)}, {4, shell_folder(CSIDL_FONTS)},
        {5, shell_folder(CSIDL_STARTMENU)}, {6, shell_folder(CSIDL_PROGRAMS)},
        {7, shell_folder(CSIDL_STARTUP)},   {8, shell_folder(CSIDL_APPDATA)},
        {9, windows},                       {10, system},
        {11, temp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const Text path = special_folder_path(c.first);
        ASSERT_FALSE(c.second.empty());
        EXPECT_EQ(std::string(path.c_str()), with_one_separator(c.second));
        EXPECT_TRUE(ends_in_exactly_one_separator(path.c_str()));
    }
}

TEST(SystemPathsSpecialFolder, ApplicationDataAndTemporaryFolderAreUsable) {
    const std::string appdata = special_folder_path(8).c_str();
    // The roaming folder, an existing folder and not the local one.
    EXPECT_TRUE(file_exists(appdata)) << appdata;
    EXPECT_NE(appdata, with_one_separator(shell_folder(CSIDL_LOCAL_APPDATA)));
    const std::string temp = special_folder_path(11).c_str();
    // The callers' "\name" gives a doubled separator that still works.
    const std::string probe = temp + "\\tlq_probe.tmp";
    ASSERT_TRUE(write_file(probe, "x"));
    EXPECT_TRUE(file_exists(temp + "tlq_probe.tmp"));
    DeleteFileA(probe.c_str());
}

TEST(SystemPathsSpecialFolder, OtherNumbersGiveEmpty) {
    const int numbers[] = {0, -1, 12, 13, 100, 0x7FFFFFFF};
    for (int number : numbers) EXPECT_TRUE(special_folder_path(number).empty()) << number;
}

// The platform's temporary path comes from TMP; whatever separators it ends
// in, the result ends in exactly one.
TEST(SystemPathsSpecialFolder, TemporaryFolderEndsInExactlyOneSeparator) {
    char saved[MAX_PATH + 1] = {0};
    const DWORD had = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    ScratchFolder folder;
    const std::string variants[] = {folder.path(), folder.path() + "\\", folder.path() + "\\\\"};
    for (const std::string& variant : variants) {
        SCOPED_TRACE(variant);
        SetEnvironmentVariableA("TMP", variant.c_str());
        EXPECT_EQ(std::string(special_folder_path(11).c_str()), folder.path() + "\\");
    }
    SetEnvironmentVariableA("TMP", had ? saved : nullptr);
}

TEST(SystemPathsProgram, DirectoryAndFileNameComeFromTheModulePath) {
    char cwd_before[MAX_PATH + 1] = {0};
    GetCurrentDirectoryA(sizeof cwd_before, cwd_before);
    SetCurrentDirectoryA(temp_directory().c_str());
    init_program_location();
    EXPECT_EQ(std::string(program_directory().c_str()), own_directory());
    EXPECT_EQ(std::string(program_file_name().c_str()), "tlq_services_tests.exe");
    EXPECT_EQ(std::string(module_directory().c_str()), own_directory());
    char cwd[MAX_PATH + 1] = {0};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), own_directory()) << "the current directory was not set";
    // module_directory takes the path afresh and leaves the current directory.
    SetCurrentDirectoryA(temp_directory().c_str());
    EXPECT_EQ(std::string(module_directory().c_str()), own_directory());
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(with_one_separator(cwd), temp_directory());
    SetCurrentDirectoryA(cwd_before);
}

// The helper writes both argument lists of its own command line as hex.
struct ArgumentLists {
    std::vector<std::string> narrow, wide;
};

std::string unhex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

ArgumentLists helper_arguments(const std::string& tail) {
    ScratchFolder folder;
    const std::string out = folder / "args.txt";
    RunningProgram helper = start_program(quoted(own_directory() + "\\tlq_service_helper.exe") + " args " + quoted(out) + tail);
    EXPECT_TRUE(helper.started());
    EXPECT_TRUE(helper.wait_for_exit(10000));
    ArgumentLists lists;
    std::vector<std::string>* current = nullptr;
    size_t start = 0;
    const std::string content = read_file(out);
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        const std::string line = content.substr(start, end - start);
        if (line == "narrow") current = &lists.narrow;
        else if (line == "wide") current = &lists.wide;
        else if (current) current->push_back(unhex(line));
        start = end + 1;
    }
    // Drop the mode word and the output path.
    for (auto* list : {&lists.narrow, &lists.wide}) {
        EXPECT_GE(list->size(), 2u);
        if (list->size() >= 2) list->erase(list->begin(), list->begin() + 2);
    }
    return lists;
}

TEST(SystemPathsArguments, NarrowAndWideSplittingOfOneCommandLine) {
    struct Case {
        std::string tail;
        std::vector<std::string> narrow, wide;
    };
    const Case cases[] = {
        {"", {}, {}},
        {" a.tlqcode", {"a.tlqcode"}, {"a.tlqcode"}},
        {" \"C:\\有 空格\\程序.tlqcode\" second", {"C:\\有 空格\\程序.tlqcode", "second"},
         {"C:\\有 空格\\程序.tlqcode", "second"}},
        {" 中文参数 x", {"中文参数", "x"}, {"中文参数", "x"}},
        {" C:\\no quotes\\a b", {"C:\\no", "quotes\\a", "b"}, {"C:\\no", "quotes\\a", "b"}},
        {" \"\"", {""}, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        const ArgumentLists lists = helper_arguments(c.tail);
        EXPECT_EQ(lists.narrow, c.narrow);
        EXPECT_EQ(lists.wide, c.wide);
    }
}

TEST(SystemPathsArguments, TheTwoSplittersDifferOnEmbeddedQuotes) {
    // The platform's rules join a"b c" into one argument; the byte splitter
    // stops a plain argument before a quote.
    const ArgumentLists lists = helper_arguments(" a\"b c\"");
    EXPECT_EQ(lists.wide, std::vector<std::string>({"ab c"}));
    EXPECT_EQ(lists.narrow, std::vector<std::string>({"a", "b c"}));
}

}  // namespace
}  // namespace test
}  // namespace tlq
