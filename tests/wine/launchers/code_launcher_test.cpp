// tlqrun.exe: the code launcher, started as the shell would start it.
#include <gtest/gtest.h>

#include "launcher_test_support.h"

namespace tlq::test {
namespace {

const std::vector<Box> kScriptBoxes = {
    {"信息", "first line", BoxIcon::none},
    {"Hello", "second line", BoxIcon::none},
};
const std::vector<Box> kNotFound = {{"Taliq Script", "Binrary is not found!", BoxIcon::error}};

class CodeLauncherRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& folder : {bin_, data_, lonely_}) ASSERT_TRUE(make_folder(folder));
        ASSERT_TRUE(copy_file(tlqrun_path(), bin_ + "\\tlqrun.exe"));
        ASSERT_TRUE(copy_file(tlqrun_path(), lonely_ + "\\tlqrun.exe"));
        const std::string code = sealed_with_code_key(script_);
        ASSERT_TRUE(write_file(data_ + "\\in data.tlqcode", code));
        ASSERT_TRUE(write_file(bin_ + "\\beside.tlqcode", code));
        ASSERT_TRUE(write_file(bin_ + "\\main.tlqcode", code));
        ASSERT_TRUE(write_file(data_ + "\\empty.tlqcode", ""));
        ASSERT_TRUE(write_file(data_ + "\\script.tqspt", sealed_with_file_key(script_)));
        temp_before_ = temp_script_files(temp_directory());
    }

    const std::string script_ = script_text("Demo", {"first line", "title:Hello", "second line"});
    ScratchFolder scratch_{"tlqrun"};
    const std::string bin_ = scratch_ / "bin";
    const std::string data_ = scratch_ / "data folder";
    const std::string lonely_ = scratch_ / "lonely";  // a tlqrun without main.tlqcode
    std::vector<std::string> temp_before_;
};

TEST_F(CodeLauncherRun, FindsTheCodeFileAndShowsItsMessages) {
    struct ArgumentCase {
        const char* what;
        std::string launcher;
        std::string arguments;
        std::vector<Box> boxes;
    };
    const ArgumentCase cases[] = {
        {"absolute path", bin_, " " + quoted(data_ + "\\in data.tlqcode"), kScriptBoxes},
        {"relative to the current directory", bin_, " " + quoted("in data.tlqcode"), kScriptBoxes},
        {"relative to the launcher's folder", bin_, " beside.tlqcode", kScriptBoxes},
        {"further arguments ignored", bin_, " beside.tlqcode nowhere.tlqcode", kScriptBoxes},
        {"no argument, main.tlqcode beside", bin_, "", kScriptBoxes},
        {"no argument, no main.tlqcode", lonely_, "", kNotFound},
        {"nothing that exists", bin_, " nowhere.tlqcode", kNotFound},
        {"a wildcard is no file name", bin_, " " + quoted(data_ + "\\in*.tlqcode"), kNotFound},
        {"a folder", bin_, " " + quoted(data_), kNotFound},
        {"an unquoted path with a space", bin_, " " + data_ + "\\in data.tlqcode", kNotFound},
        {"a file of 0 bytes", bin_, " empty.tlqcode", kNotFound},
        {"a script sealed with the file key", bin_, " script.tqspt", {}},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = run_answering_boxes(quoted(c.launcher + "\\tlqrun.exe") + c.arguments, data_);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.exit_code, 0u);
        EXPECT_EQ(run.boxes, c.boxes);
        EXPECT_EQ(temp_script_files(temp_directory()), temp_before_);
    }
}

TEST_F(CodeLauncherRun, LongCommandLinesAreShownWhole) {
    const std::string long_message(20000, 'x');
    ASSERT_TRUE(write_file(data_ + "\\long.tlqcode",
                           sealed_with_code_key(script_text("Long", {long_message}))));
    const RunResult run = run_answering_boxes(quoted(bin_ + "\\tlqrun.exe") + " long.tlqcode", data_);
    EXPECT_TRUE(run.ended);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text.size(), long_message.size());
}

}  // namespace
}  // namespace tlq::test
