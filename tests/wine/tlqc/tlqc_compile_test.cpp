// tlqc.exe compile: the code file and the named launcher, composed here on
// their own and compared byte for byte, then compared with what the
// editor's Compile writes for the same text; the projects run on their own.
#include <gtest/gtest.h>

#include "editor_under_test.h"
#include "key_texts.h"
#include "launcher_test_support.h"
#include "script_template.h"
#include "sealed_file.h"
#include "tlqc_process.h"

namespace tlq::test {
namespace {

std::string sealed_code(const std::string& text) {
    const Bytes result = seal(Bytes(text.data(), text.size()), kCodeKey);
    return std::string(result.c_str(), result.size());
}

// The launchstub image with the name padded to 32 bytes in its name field.
std::string expected_launcher(const std::string& name) {
    std::string image = read_file(launchstub_path());
    const std::vector<size_t> at = occurrences(image, name_placeholder());
    if (at.size() != 1) return std::string();
    return image.replace(at[0], 32, name + std::string(32 - name.size(), ' '));
}

const std::string kChinese32 = "一二三四五六七八九十甲乙丙丁戊己";

class TlqcCompile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(make_folder(out_)); }
    TlqcOutcome compile(const std::string& script, const std::string& options = "") {
        EXPECT_TRUE(write_file(scratch_ / "p.ini", script));
        return run_tlqc("compile p.ini -o " + quoted(out_) + " " + options, scratch_.path());
    }
    ScratchFolder scratch_{"tlqccompile"};
    const std::string out_ = scratch_ / "out dir";
};

TEST_F(TlqcCompile, NamedLaunchersThatRunOnTheirOwn) {
    // 10 bytes, a space inside, 31 bytes, 32 bytes in 16 Chinese characters.
    for (const std::string& name : {std::string("HelloWorld"), std::string("Hello World"), std::string(31, 'n'),
                                    kChinese32}) {
        SCOPED_TRACE(name);
        const std::string script = script_text(name, {"title:Title", name + " runs"});
        const TlqcOutcome outcome = compile(script);
        EXPECT_EQ(outcome.status, 0u) << outcome.err;
        const std::string stem = out_ + "\\" + name;
        EXPECT_EQ(outcome.out, "wrote " + stem + ".tlqcode\r\nwrote " + stem + ".exe\r\n");
        EXPECT_TRUE(read_file(stem + ".tlqcode") == sealed_code(script));
        const std::string launcher = read_file(stem + ".exe");
        ASSERT_FALSE(expected_launcher(name).empty());
        EXPECT_TRUE(launcher == expected_launcher(name)) << "launcher bytes differ";
        const RunResult run = run_answering_boxes(quoted(stem + ".exe"));
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.boxes, (std::vector<Box>{{"Title", name + " runs", BoxIcon::none}}));
    }
}

TEST_F(TlqcCompile, ThirtyThreeBytesGetTheCodeFileOnly) {
    const std::string name(33, 'L');
    const TlqcOutcome outcome = compile(script_text(name, {"x"}));
    EXPECT_EQ(outcome.status, 7u);
    EXPECT_NE(outcome.err.find("is 33 bytes, and the launcher holds at most 32"), std::string::npos) << outcome.err;
    EXPECT_TRUE(file_exists(out_ + "\\" + name + ".tlqcode"));
    EXPECT_FALSE(file_exists(out_ + "\\" + name + ".exe"));
}

TEST_F(TlqcCompile, RefusalsAndFailedWrites) {
    for (const char* name : {"a:b", "a|b", "a?b", "a<b"}) {
        const TlqcOutcome outcome = compile(script_text(name, {"x"}));
        EXPECT_EQ(outcome.status, 7u) << name;
        EXPECT_NE(outcome.err.find("nothing written"), std::string::npos) << outcome.err;
    }
    EXPECT_TRUE(RemoveDirectoryA(out_.c_str())) << "something was written";
    const TlqcOutcome outcome = compile(kScriptTemplate);
    EXPECT_EQ(outcome.status, 6u);
    EXPECT_EQ(outcome.err, "tlqc: cannot write '" + out_ + "\\HelloWorld.tlqcode'\r\n");
}

TEST_F(TlqcCompile, NoLauncherWritesTheCodeFileOnly) {
    const TlqcOutcome outcome = compile(kScriptTemplate, "--no-launcher");
    EXPECT_EQ(outcome.status, 0u);
    EXPECT_TRUE(read_file(out_ + "\\HelloWorld.tlqcode") == sealed_code(kScriptTemplate));
    EXPECT_FALSE(file_exists(out_ + "\\HelloWorld.exe"));
}

// The editor's Compile and tlqc's, on the same texts, into two folders.
class TlqcAgainstEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(make_folder(by_editor_));
        ASSERT_TRUE(make_folder(by_tlqc_));
        ASSERT_TRUE(editor_.start());
    }

    void compile_in_editor(const std::string& script, bool expect_question) {
        ASSERT_TRUE(editor_.choose("新建"));
        ASSERT_TRUE(set_window_text(editor_.edit_box(), script));
        ASSERT_TRUE(editor_.settle());
        ASSERT_TRUE(editor_.choose("编译项目"));
        HWND folder_box = editor_.wait_for_ui_dialog();
        ASSERT_NE(folder_box, nullptr);
        HWND field = find_child(folder_box, "Edit");
        ASSERT_NE(field, nullptr);
        ASSERT_TRUE(set_window_text(field, by_editor_));
        ASSERT_TRUE(answer_message_box(folder_box, IDOK));
        // The launcher question, or the box that says the name is too long.
        if (expect_question) {
            HWND box = editor_.wait_for_ui_dialog();
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(answer_message_box(box, IDOK));
        }
        ASSERT_TRUE(editor_.settle());
    }

    void compile_in_tlqc(const std::string& script) {
        ASSERT_TRUE(write_file(scratch_ / "p.ini", script));
        run_tlqc("compile p.ini -o " + quoted(by_tlqc_), scratch_.path());
    }

    void expect_same_file(const std::string& file) {
        const std::string editor_file = by_editor_ + "\\" + file;
        const std::string tlqc_file = by_tlqc_ + "\\" + file;
        EXPECT_EQ(file_exists(editor_file), file_exists(tlqc_file)) << file;
        EXPECT_TRUE(read_file(editor_file) == read_file(tlqc_file)) << file << " differs";
    }

    EditorUnderTest editor_;
    ScratchFolder scratch_{"tlqcvsedit"};
    const std::string by_editor_ = scratch_ / "editor";
    const std::string by_tlqc_ = scratch_ / "tlqc";
};

TEST_F(TlqcAgainstEditor, SameBytesAndNames) {
    const std::string names[] = {"HelloWorld", "Hello World", kChinese32, std::string(31, 'x'), ""};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string script = name == "HelloWorld" ? std::string(kScriptTemplate)
                                                         : script_text(name, {"title:T", "runs"});
        compile_in_editor(script, true);
        compile_in_tlqc(script);
        ASSERT_TRUE(file_exists(by_tlqc_ + "\\" + name + ".exe"));
        expect_same_file(name + ".tlqcode");
        expect_same_file(name + ".exe");
    }
}

TEST_F(TlqcAgainstEditor, SameForANameTooLongForTheLauncher) {
    const std::string name(33, 'z');
    compile_in_editor(script_text(name, {"runs"}), true);  // the box that says why
    compile_in_tlqc(script_text(name, {"runs"}));
    ASSERT_TRUE(file_exists(by_tlqc_ + "\\" + name + ".tlqcode"));
    expect_same_file(name + ".tlqcode");
    expect_same_file(name + ".exe");
}

}  // namespace
}  // namespace tlq::test
