// The checker on a table of scripts: clean ones find nothing, each broken
// one finds exactly what is wrong with it, at the right line.
#include "script_checker.h"

#include <gtest/gtest.h>

#include <ctype.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "interpreter.h"
#include "file_services.h"
#include "script_template.h"

using namespace tlq;
using namespace tlq::tlqc;

namespace {

Bytes bytes(const std::string& s) { return Bytes(s.data(), s.size()); }

// Lines joined by CR LF, as the editor writes them.
std::string script(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// A header with the usual keys, then the command lines given.
std::string with_header(const std::string& count, const std::vector<std::string>& commands) {
    std::vector<std::string> lines = {"[info]", "当前命令数量=" + count, "子程序的名字=main",
                                      "程序名称=HelloWorld", "[main]"};
    lines.insert(lines.end(), commands.begin(), commands.end());
    return script(lines);
}

struct Expected {
    int32_t line;
    Severity severity;
    std::string words;  // a part of the message that names the fault
};

struct Case {
    const char* name;
    std::string text;
    std::vector<Expected> findings;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string describe(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& f : findings) {
        text += "  line " + std::to_string(f.line) + (f.severity == Severity::error ? " error: " : " warning: ") +
                f.message + "\n";
    }
    return text;
}

const Severity W = Severity::warning;
const Severity E = Severity::error;

std::vector<Case> cases() {
    return {
        {"template", std::string(kScriptTemplate), {}},
        {"full-width count", with_header("２", {"1=信息框 a", "2=信息框 b"}), {}},
        {"quoted value keeps spaces", with_header("1", {"1=\"信息框  spaced  \""}), {}},
        {"lowercase section header", script({"[INFO]", "当前命令数量=1", "子程序的名字=main",
                                             "程序名称=x", "[Main]", "1=信息框 a"}), {}},
        {"title reset is allowed", with_header("2", {"1=置信息框标题", "2=信息框 a"}), {}},
        {"exactly 32-byte name", script({"[info]", "当前命令数量=1", "子程序的名字=main",
                                         "程序名称=你好世界你好世界你好世界你好世界", "[main]", "1=信息框 a"}), {}},

        {"utf-8 text", "[info]\r\n\xE5\xBD\x93\xE5\x89\x8D\xE5\x91\xBD\xE4\xBB\xA4\xE6\x95\xB0\xE9\x87\x8F=1",
         {{0, E, "UTF-8"}}},
        {"no info section", script({"[main]", "1=信息框 a"}), {{0, E, "no [info] section"}}},
        {"empty text", "", {{0, E, "no [info] section"}}},
        {"no count", script({"[info]", "子程序的名字=main", "程序名称=x", "[main]", "1=信息框 a"}),
         {{1, E, "has no 当前命令数量"}}},
        {"count not a number", with_header("abc", {"1=信息框 a"}), {{2, E, "not a number"}}},
        {"count with trailing text", with_header("1x", {"1=信息框 a"}), {{2, W, "reads as 1"}}},
        {"count zero", with_header("0", {}), {{2, W, "is 0: nothing runs"}}},
        {"count negative with a line", with_header("-1", {"1=信息框 a"}),
         {{2, W, "nothing runs"}, {6, W, "above 当前命令数量 (-1)"}}},
        {"count above lines", with_header("3", {"1=信息框 a", "2=信息框 b"}), {{2, W, "but line 3 is missing: it is skipped"}}},
        {"gaps in the lines", with_header("9", {"1=信息框 a", "4=信息框 b", "5=信息框 c"}),
         {{2, W, "but lines 2-3, 6-9 are missing: they are skipped"}}},
        {"no numbered lines", with_header("2", {}), {{2, W, "has no numbered lines"}}},
        {"line above the count", with_header("1", {"1=信息框 a", "2=信息框 b"}),
         {{7, W, "line 2 is above 当前命令数量 (1)"}}},
        {"count beyond the bound", with_header("214748365", {"1=信息框 a"}),
         {{2, W, "stops after line 214748364"}, {2, W, "are missing"}}},
        {"no section name", script({"[info]", "当前命令数量=1", "程序名称=x", "[main]", "1=信息框 a"}),
         {{1, E, "has no 子程序的名字"}}},
        {"empty section name", script({"[info]", "当前命令数量=1", "子程序的名字=", "程序名称=x"}),
         {{3, E, "has no 子程序的名字"}}},
        {"command section missing", script({"[info]", "当前命令数量=1", "子程序的名字=mian", "程序名称=x",
                                            "[main]", "1=信息框 a"}),
         {{3, E, "names [mian], but there is no such section"}}},
        {"unknown command word", with_header("2", {"1=消息框 a", "2=信息框 b"}),
         {{6, W, "unknown command '消息框'"}}},
        {"empty line", with_header("2", {"1=", "2=信息框 b"}), {{6, W, "the line is empty"}}},
        {"no space after the message word", with_header("1", {"1=信息框Hello"}),
         {{6, W, "first byte 'H' is lost"}}},
        {"no space after the title word", with_header("2", {"1=置信息框标题Hi", "2=信息框 b"}),
         {{6, W, "first byte 'H' is lost"}}},
        {"double-byte character after the word", with_header("1", {"1=信息框你好"}),
         {{6, W, "cut in half"}}},
        {"tab as separator", with_header("1", {"1=信息框\tHello"}), {{6, W, "a tab is lost"}}},
        {"message without text", with_header("1", {"1=信息框"}), {{6, W, "empty box"}}},
        {"double quotes vanish", with_header("1", {"1=信息框 say \"hi\""}),
         {{6, W, "the double quotes are removed: the line reads 信息框 say hi"}}},
        {"single quotes removed", with_header("1", {"1='信息框 a'"}), {{6, W, "single quotes"}}},
        {"key with a leading zero", with_header("1", {"01=信息框 a"}),
         {{2, W, "has no numbered lines up to it"}, {6, W, "key '01' is never read"}}},
        {"line without equals", with_header("1", {"1=信息框 a", "信息框 b"}), {{7, W, "has no '='"}}},
        {"repeated line number", with_header("1", {"1=信息框 a", "1=信息框 b"}),
         {{7, W, "first on line 6): only the first is read"}}},
        {"repeated command section", with_header("1", {"1=信息框 a", "[main]", "2=信息框 b"}),
         {{7, W, "section [main] appears again (first on line 5)"}}},
        {"half character inside", with_header("1", {"1=信息框 a\x81!"}), {{6, W, "byte 11 is half"}}},
        {"half character takes the line end", "[info]\n当前命令数量=1\n子程序的名字=main\n程序名称=x\n[main]\n"
                                             "1=信息框 a\x81\n2=信息框 b",
         {{6, W, "takes the line break"}}},
        {"long line cut", with_header("1", {"1=信息框 " + std::string(10300, 'a')}), {{6, W, "cut off"}}},
        {"no program name", script({"[info]", "当前命令数量=1", "子程序的名字=main", "[main]", "1=信息框 a"}),
         {{1, W, "has no 程序名称"}}},
        {"program name too long", script({"[info]", "当前命令数量=1", "子程序的名字=main",
                                          "程序名称=" + std::string(33, 'n'), "[main]", "1=信息框 a"}),
         {{4, W, "33 bytes"}}},
        {"program name with a colon", script({"[info]", "当前命令数量=1", "子程序的名字=main",
                                              "程序名称=a:b", "[main]", "1=信息框 a"}),
         {{4, E, "it contains ':'"}}},
        {"program name naming a device", script({"[info]", "当前命令数量=1", "子程序的名字=main",
                                                 "程序名称=nul", "[main]", "1=信息框 a"}),
         {{4, E, "device"}}},
    };
}

class CheckerCases : public ::testing::TestWithParam<Case> {};

TEST_P(CheckerCases, FindsExactlyTheFaults) {
    const Case& c = GetParam();
    const std::vector<Finding> found = check_script(bytes(c.text));
    ASSERT_EQ(found.size(), c.findings.size()) << describe(found);
    // Findings come ordered by line; expectations are written in that order.
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].line, c.findings[i].line) << describe(found);
        EXPECT_EQ(found[i].severity, c.findings[i].severity) << describe(found);
        EXPECT_NE(found[i].message.find(c.findings[i].words), std::string::npos)
            << "expected '" << c.findings[i].words << "' in:\n" << describe(found);
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, CheckerCases, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(Checker, LineNumbersFollowLfOnlyAndCrLfAlike) {
    const std::string lf = "[info]\n当前命令数量=1\n子程序的名字=main\n[main]\n\n\n1=信息框Hi";
    const std::vector<Finding> found = check_script(bytes(lf));
    ASSERT_EQ(found.size(), 2u) << describe(found);
    EXPECT_EQ(found[0].line, 1);  // no 程序名称: at the [info] line
    EXPECT_EQ(found[1].line, 7);
}

// A clean script runs exactly as written: every numbered line shows its
// text, in order. Checks the checker's "clean" against the interpreter.
class RecordingHost : public ScriptHost {
public:
    std::vector<std::string> shown;
    void show_message(const Text& message, const Text* title) override {
        shown.push_back(std::string(title ? title->data() : "-") + "|" + message.data());
    }
    void end_of_run() override {}
    bool stop_requested() override { return false; }
};

TEST(Checker, CleanScriptsRunAsWritten) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> clean = {
        {kScriptTemplate, {"Hello|Hello World!"}},
        {with_header("3", {"3=信息框 c", "1=置信息框标题 T", "2=信息框 b"}), {"T|b", "T|c"}},
        {with_header("2", {"1=\"信息框  two  \"", "2=信息框 你好"}), {"-| two  ", "-|你好"}},
    };
    char pattern[] = "/tmp/tlqc_checker_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/script.ini";
    for (const auto& c : clean) {
        EXPECT_TRUE(check_script(bytes(c.first)).empty()) << describe(check_script(bytes(c.first)));
        ASSERT_TRUE(write_whole_file(Text(path.c_str()), bytes(c.first)));
        RunState state;
        read_script_header(Text(path.c_str()), IniMode::profile, state);
        Text title;
        RecordingHost host;
        run_script(state, title, host);
        EXPECT_EQ(host.shown, c.second);
    }
    remove_file(Text(path.c_str()));
    rmdir(pattern);
}

}  // namespace
