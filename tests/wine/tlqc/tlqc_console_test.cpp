// tlqc.exe as a console program: run, check, seal and unseal through pipes,
// texts in the system's code page (GBK), and --gui with the real boxes.
#include <gtest/gtest.h>

#include "key_texts.h"
#include "launcher_test_support.h"
#include "script_template.h"
#include "sealed_file.h"
#include "tlqc_process.h"

namespace tlq::test {
namespace {

std::string sealed(const std::string& text, const char* key) {
    const Bytes result = seal(Bytes(text.data(), text.size()), key);
    return std::string(result.c_str(), result.size());
}

class TlqcConsole : public ::testing::Test {
protected:
    std::string in(const std::string& name) const { return scratch_ / name; }
    TlqcOutcome tlqc(const std::string& arguments) const { return run_tlqc(arguments, scratch_.path()); }

    ScratchFolder scratch_{"tlqcconsole"};
};

TEST_F(TlqcConsole, RunPrintsEachBoxOfPlainScriptAndCodeFiles) {
    const std::string files[][2] = {
        {"hello.ini", kScriptTemplate},
        {"hello.tqspt", sealed(kScriptTemplate, kFileKey)},
        {"hello.tlqcode", sealed(kScriptTemplate, kCodeKey)},
    };
    for (const auto& file : files) {
        ASSERT_TRUE(write_file(in(file[0]), file[1]));
        const TlqcOutcome outcome = tlqc("run " + file[0]);
        EXPECT_TRUE(outcome.ended);
        EXPECT_EQ(outcome.status, 0u) << file[0];
        EXPECT_EQ(outcome.out, "[Hello] Hello World!\r\n") << file[0];
        EXPECT_EQ(outcome.err, "") << file[0];
    }
}

TEST_F(TlqcConsole, RunPrintsChineseTextsAsTheyAreAndTheDefaultTitle) {
    const std::string script = script_text("x", {"没有标题", "title:标题", "你好，世界", "title:", "again"});
    ASSERT_TRUE(write_file(in("脚本 一.ini"), script));  // a Chinese name with a space
    const TlqcOutcome outcome = tlqc("run \"脚本 一.ini\"");
    EXPECT_EQ(outcome.status, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, "[信息：] 没有标题\r\n[标题] 你好，世界\r\n[信息：] again\r\n");
}

TEST_F(TlqcConsole, GuiShowsTheRealMessageBoxes) {
    ASSERT_TRUE(write_file(in("hello.tlqcode"), sealed(script_text("x", {"first", "title:T", "second"}), kCodeKey)));
    const RunResult run = run_answering_boxes(quoted(tlqc_path()) + " run --gui " + quoted(in("hello.tlqcode")));
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_EQ(run.boxes, (std::vector<Box>{{"信息：", "first", BoxIcon::none}, {"T", "second", BoxIcon::none}}));
}

TEST_F(TlqcConsole, CheckReportsByLineAndExitsBySeverity) {
    ASSERT_TRUE(write_file(in("clean.ini"), kScriptTemplate));
    ASSERT_TRUE(write_file(in("warned.ini"), "[info]\r\n当前命令数量=1\r\n子程序的名字=main\r\n程序名称=x\r\n"
                                             "[main]\r\n1=信息框Hello"));
    ASSERT_TRUE(write_file(in("broken.ini"), "[main]\r\n1=信息框 a"));
    TlqcOutcome outcome = tlqc("check clean.ini");
    EXPECT_EQ(outcome.status, 0u);
    EXPECT_EQ(outcome.out, "clean.ini: no findings\r\n");
    outcome = tlqc("check warned.ini");
    EXPECT_EQ(outcome.status, 1u);
    EXPECT_EQ(outcome.out, "warned.ini:6: warning: no space after 信息框: its first byte 'H' is lost\r\n"
                           "warned.ini: 0 errors, 1 warning\r\n");
    outcome = tlqc("check broken.ini");
    EXPECT_EQ(outcome.status, 2u);
    EXPECT_EQ(outcome.out, "broken.ini: error: no [info] section: nothing runs\r\nbroken.ini: 1 error, 0 warnings\r\n");
}

TEST_F(TlqcConsole, SealAndUnsealWithBothKeys) {
    ASSERT_TRUE(write_file(in("plain.ini"), kScriptTemplate));
    const std::pair<const char*, const char*> keys[] = {{"file", kFileKey}, {"code", kCodeKey}};
    for (const auto& key : keys) {
        TlqcOutcome outcome = tlqc(std::string("seal --key ") + key.first + " plain.ini sealed");
        EXPECT_EQ(outcome.status, 0u) << outcome.err;
        EXPECT_EQ(read_file(in("sealed")), sealed(kScriptTemplate, key.second));
        outcome = tlqc(std::string("unseal --key=") + key.first + " sealed back.ini");
        EXPECT_EQ(outcome.status, 0u) << outcome.err;
        EXPECT_EQ(outcome.out, "wrote back.ini\r\n");
        EXPECT_EQ(read_file(in("back.ini")), kScriptTemplate);
    }
    const TlqcOutcome wrong = tlqc("unseal --key file sealed other.ini");
    EXPECT_EQ(wrong.status, 5u);
    EXPECT_EQ(wrong.err, "tlqc: 'sealed' is not sealed with the file key: it is sealed with the code key "
                         "(use --key code)\r\n");
    EXPECT_FALSE(file_exists(in("other.ini")));
}

TEST_F(TlqcConsole, FailuresHaveTheirExitStatuses) {
    ASSERT_TRUE(write_file(in("foreign"), sealed(kScriptTemplate, "not our key")));
    const struct {
        const char* arguments;
        DWORD status;
        const char* err_start;
    } cases[] = {
        {"", 3, "tlqc: no command given\r\n"},
        {"run", 3, "tlqc: run needs FILE\r\n"},
        {"run missing.ini", 4, "tlqc: cannot read 'missing.ini'"},
        {"run foreign", 5, "tlqc: 'foreign' is not a script"},
        {"seal --key code foreign no\\such\\folder\\x", 6, "tlqc: cannot write 'no\\such\\folder\\x'"},
    };
    for (const auto& c : cases) {
        const TlqcOutcome outcome = tlqc(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments;
        EXPECT_EQ(outcome.err.rfind(c.err_start, 0), 0u) << c.arguments << ": " << outcome.err;
    }
    const TlqcOutcome help = tlqc("--help");
    EXPECT_EQ(help.status, 0u);
    EXPECT_EQ(help.out.rfind("Usage: tlqc COMMAND [OPTIONS] FILE...\r\n", 0), 0u);
}

}  // namespace
}  // namespace tlq::test
