// What every editor start installs: tlqrun.exe in the application-data
// folder and the two file types under the current user's classes.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "editor_under_test.h"
#include "launcher_test_support.h"

namespace tlq::test {
namespace {

const char kClasses[] = "Software\\Classes\\";

std::string application_data_folder() {
    char buffer[MAX_PATH] = {0};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_APPDATA, FALSE)) return std::string();
    std::string folder = buffer;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

// The default value of HKEY_CURRENT_USER\Software\Classes\<key>; "(missing)"
// when the key or value is not there or is no string.
std::string class_value(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (kClasses + key).c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS) {
        return "(missing)";
    }
    char value[2048] = {0};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LONG read = RegQueryValueExA(opened, nullptr, nullptr, &type,
                                       reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(opened);
    if (read != ERROR_SUCCESS || type != REG_SZ) return "(missing)";
    return std::string(value);
}

void remove_class(const std::string& key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, (kClasses + key).c_str());
}

class EditorStart : public ::testing::Test {
protected:
    void SetUp() override {
        // Start from nothing, so whatever is found was written by this start.
        for (const char* key : {".tlqcode", "tlqcodefile", ".tqspt", "tqsptfile"}) remove_class(key);
        DeleteFileA(installed_launcher_.c_str());
        ASSERT_TRUE(editor_.start());
        ASSERT_TRUE(editor_.settle());
    }

    const std::string install_folder_ = application_data_folder() + "TlqScript";
    const std::string installed_launcher_ = install_folder_ + "\\tlqrun.exe";
    EditorUnderTest editor_;
};

TEST_F(EditorStart, InstallsTheCodeLauncherByteForByte) {
    const std::string built = read_file(tlqrun_path());
    ASSERT_FALSE(built.empty());
    EXPECT_TRUE(read_file(installed_launcher_) == built);
    const DWORD help = GetFileAttributesA((install_folder_ + "\\help").c_str());
    EXPECT_TRUE(help != INVALID_FILE_ATTRIBUTES && (help & FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(EditorStart, RegistersBothFileTypesForTheCurrentUser) {
    const std::string editor = editor_path();
    struct ValueCase {
        const char* key;
        std::string value;
    };
    const ValueCase cases[] = {
        {".tlqcode", "tlqcodefile"},
        {"tlqcodefile", "Taliq批处理文件"},
        {"tlqcodefile\\DefaultIcon", editor + ",0"},
        {"tlqcodefile\\shell\\open\\command", quoted(installed_launcher_) + " \"%1\""},
        {".tqspt", "tqsptfile"},
        {"tqsptfile", "Taliq批处理文件"},
        {"tqsptfile\\DefaultIcon", editor + ",0"},
        {"tqsptfile\\shell\\open\\command", quoted(editor) + " \"%1\""},
    };
    for (const ValueCase& c : cases) EXPECT_EQ(class_value(c.key), c.value) << c.key;
}

// Opening a code file as the shell does: the registered command with %1
// replaced by the file's path, here one with spaces.
TEST_F(EditorStart, RegisteredCommandRunsACodeFileWhosePathHasSpaces) {
    ScratchFolder scratch("tlqopen");
    const std::string folder = scratch / "My Code";
    ASSERT_TRUE(make_folder(folder));
    const std::string code_file = folder + "\\Hello World.tlqcode";
    ASSERT_TRUE(write_file(code_file, sealed_with_code_key(script_text("Hello World", {"opened"}))));
    std::string command = class_value("tlqcodefile\\shell\\open\\command");
    const size_t at = command.find("%1");
    ASSERT_NE(at, std::string::npos) << command;
    command.replace(at, 2, code_file);
    const RunResult run = run_answering_boxes(command);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.boxes, (std::vector<Box>{{"信息", "opened", BoxIcon::none}}));
}

}  // namespace
}  // namespace tlq::test
