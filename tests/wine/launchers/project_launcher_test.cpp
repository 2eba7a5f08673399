// launchstub.exe: how it finds its code file (name field, arguments) and
// what it shows, started like a user would start it.
#include <gtest/gtest.h>

#include "launcher_test_support.h"
#include "name_field.h"

namespace tlq::test {
namespace {

struct PaddingCase {
    const char* field;
    bool full_width;
    const char* expected;
};

TEST(NameFieldPadding, OnlyTrailingSpacesAreRemoved) {
    const PaddingCase cases[] = {
        {"HelloWorld                      ", true, "HelloWorld"},
        {"Hello World                     ", true, "Hello World"},
        {"  lead                          ", true, "  lead"},
        {"一二三四五六七八九十甲乙丙丁戊己", true, "一二三四五六七八九十甲乙丙丁戊己"},
        {"名字　　                        ", true, "名字"},
        {"名字　　                        ", false, "名字　　"},
        {"全　角　                        ", true, "全　角"},
        // 啊 is B0 A1: its trail byte and the next A1 are no ideographic space.
        {"啊\xA1", true, "啊\xA1"},
        {"                                ", true, ""},
        {"", true, ""},
    };
    for (const PaddingCase& c : cases) {
        EXPECT_EQ(std::string(launcher::without_padding(c.field, c.full_width).c_str()),
                  std::string(c.expected))
            << "field \"" << c.field << "\"";
    }
}

TEST(ProjectLauncherImage, HoldsThePlaceholderExactlyOnce) {
    const std::string image = read_file(launchstub_path());
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(occurrences(image, name_placeholder()).size(), 1u);
    // "\" before the field and ".tlqcode" after it: one contiguous path literal.
    const size_t field = occurrences(image, name_placeholder()).front();
    EXPECT_EQ(image.substr(field - 1, 1), "\\");
    EXPECT_EQ(image.substr(field + 32, 9), std::string(".tlqcode\0", 9));
}

const std::vector<Box> kScriptBoxes = {
    {"信息：", "first line", BoxIcon::none},
    {"Hello", "second line", BoxIcon::none},
};

std::vector<Box> not_found_boxes(const std::string& shown_path) {
    return {{"ShitTest", shown_path, BoxIcon::none},
            {"Taliq Script", "Binrary is not found!", BoxIcon::error}};
}

class ProjectLauncherRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(make_folder(bin_));
        ASSERT_TRUE(make_folder(data_));
        temp_before_ = temp_script_files(temp_directory());
    }

    // A copy of launchstub with the name written into its field as Compile
    // does: padded with spaces to 32 bytes.
    std::string install_launcher(const std::string& folder, const std::string& exe_name,
                                 const std::string& field_name) {
        std::string image = read_file(launchstub_path());
        const std::vector<size_t> at = occurrences(image, name_placeholder());
        EXPECT_EQ(at.size(), 1u);
        EXPECT_LE(field_name.size(), 32u);
        if (at.size() == 1 && field_name.size() <= 32) {
            image.replace(at.front(), 32, field_name + std::string(32 - field_name.size(), ' '));
        }
        const std::string path = folder + "\\" + exe_name;
        EXPECT_TRUE(write_file(path, image));
        return path;
    }

    std::string write_code_file(const std::string& path) {
        EXPECT_TRUE(write_file(path, sealed_with_code_key(script_)));
        return path;
    }

    void expect_no_temp_file_left() {
        EXPECT_EQ(temp_script_files(temp_directory()), temp_before_);
    }

    const std::string script_ = script_text("Demo", {"first line", "title:Hello", "second line"});
    ScratchFolder scratch_{"tlqstub"};
    const std::string bin_ = scratch_ / "bin folder";
    const std::string data_ = scratch_ / "data";
    std::vector<std::string> temp_before_;
};

TEST_F(ProjectLauncherRun, FindsTheCodeFileNamedByItsFieldInAFolderWithSpaces) {
    struct NamedCase {
        std::string name;
    };
    const NamedCase cases[] = {
        {"HelloWorld"},                        // 10 bytes, 22 of padding
        {"Hello World"},                       // a space inside the name
        {"ThirtyOneBytesLongProgramName31"},   // 31 bytes, one space
        {"一二三四五六七八九十甲乙丙丁戊己"},  // 32 bytes, no padding
        {"名字　"},                            // ends in a full-width space
    };
    for (const NamedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string exe = install_launcher(bin_, c.name + ".exe", c.name);
        write_code_file(bin_ + "\\" + c.name + ".tlqcode");
        const RunResult run = run_answering_boxes(quoted(exe), data_);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.boxes, kScriptBoxes);
        expect_no_temp_file_left();
    }
}

TEST_F(ProjectLauncherRun, MissingCodeFileShowsItsPathWithFolderAndNameKept) {
    const std::string exe = install_launcher(bin_, "Hello World.exe", "Hello World");
    const RunResult run = run_answering_boxes(quoted(exe));
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.boxes, not_found_boxes(bin_ + "\\Hello World.tlqcode"));
    expect_no_temp_file_left();
}

TEST_F(ProjectLauncherRun, UnnamedLauncherLooksForThePlaceholderName) {
    const std::string exe = bin_ + "\\launchstub.exe";
    ASSERT_TRUE(copy_file(launchstub_path(), exe));
    const RunResult run = run_answering_boxes(quoted(exe));
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.boxes, not_found_boxes(bin_ + "\\" + name_placeholder() + ".tlqcode"));
}

TEST_F(ProjectLauncherRun, ArgumentChoosesTheCodeFile) {
    const std::string exe = bin_ + "\\launchstub.exe";
    ASSERT_TRUE(copy_file(launchstub_path(), exe));
    write_code_file(data_ + "\\in data.tlqcode");
    write_code_file(bin_ + "\\beside.tlqcode");
    ASSERT_TRUE(write_file(data_ + "\\empty.tlqcode", ""));
    ASSERT_TRUE(write_file(data_ + "\\script.tqspt", sealed_with_file_key(script_)));
    struct ArgumentCase {
        const char* what;
        std::string argument;
        std::vector<Box> boxes;
    };
    const ArgumentCase cases[] = {
        {"absolute path", quoted(data_ + "\\in data.tlqcode"), kScriptBoxes},
        {"relative to the current directory", quoted("in data.tlqcode"), kScriptBoxes},
        {"relative to the launcher's folder", "beside.tlqcode", kScriptBoxes},
        {"nothing that exists", "nowhere.tlqcode", not_found_boxes("")},
        {"a file of 0 bytes", "empty.tlqcode", not_found_boxes("empty.tlqcode")},
        {"a script sealed with the file key", "script.tqspt", {}},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = run_answering_boxes(quoted(exe) + " " + c.argument, data_);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.boxes, c.boxes);
        expect_no_temp_file_left();
    }
}

}  // namespace
}  // namespace tlq::test
