#include "interpreter.h"

#include "file_services.h"
#include "interpreter_loop.h"
#include "script_template.h"
#include "text_ops.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace tlq;

namespace {

std::string str(const ByteString& s) { return std::string(s.data(), s.size()); }
Text text(const std::string& s) { return Text(s.data(), s.size()); }

constexpr const char* kNoTitle = "<no title>";

struct Shown {
    std::string message;
    std::string title;  // kNoTitle when the host was given none
    bool operator==(const Shown& o) const { return message == o.message && title == o.title; }
};

void PrintTo(const Shown& s, std::ostream* os) { *os << "{" << s.message << " | " << s.title << "}"; }

// Records what a user would have seen; can ask for a stop after a number
// of stop checks (one check per line).
class RecordingHost : public ScriptHost {
public:
    std::vector<Shown> shown;
    int end_of_run_calls = 0;
    long stop_checks = 0;
    long stop_after_checks = -1;  // -1: never stop

    void show_message(const Text& message, const Text* title) override {
        shown.push_back({str(message), title ? str(*title) : kNoTitle});
    }
    void end_of_run() override { ++end_of_run_calls; }
    bool stop_requested() override {
        ++stop_checks;
        return stop_after_checks >= 0 && stop_checks > stop_after_checks;
    }
};

class Interpreter : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tlq_interpreter_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        for (const std::string& f : files_) unlink(f.c_str());
        rmdir(dir_.c_str());
    }

    // Writes a script from lines joined by CR LF, like the edit box does.
    std::string write_script(const std::vector<std::string>& lines) {
        std::string content;
        for (size_t i = 0; i < lines.size(); ++i) content += (i ? "\r\n" : "") + lines[i];
        return write_raw(content);
    }
    std::string write_raw(const std::string& content) {
        std::string path = dir_ + "/XDV" + std::to_string(files_.size()) + ".tmp";
        EXPECT_TRUE(write_whole_file(text(path), text(content)));
        files_.push_back(path);
        return path;
    }

    // Header read from the file, then the run, as every host does it.
    RunEnd run(const std::string& path, RecordingHost& host, IniMode mode = IniMode::profile) {
        read_script_header(text(path), mode, state_);
        return run_script(state_, title_, host);
    }

    std::string dir_;
    std::vector<std::string> files_;
    RunState state_;
    Text title_;
};

std::vector<std::string> header(const std::string& count, const std::string& section = "main") {
    return {"[info]", "当前命令数量=" + count, "子程序的名字=" + section, "程序名称=Test", "[" + section + "]"};
}

std::vector<std::string> with_lines(std::vector<std::string> head, const std::vector<std::string>& lines) {
    head.insert(head.end(), lines.begin(), lines.end());
    return head;
}

}  // namespace

TEST_F(Interpreter, TemplateShowsHelloWorldTitledHello) {
    ASSERT_EQ(strlen(kScriptTemplate), 115u);
    std::string path = write_raw(kScriptTemplate);
    RecordingHost host;
    EXPECT_EQ(run(path, host), RunEnd::normal);
    EXPECT_EQ(state_.command_count, 2);
    EXPECT_EQ(str(state_.section_name), "main");
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"Hello World!", "Hello"}}));
    EXPECT_EQ(host.end_of_run_calls, 1);
    EXPECT_EQ(state_.line_number, 3);
    EXPECT_EQ(str(title_), "Hello");
}

TEST_F(Interpreter, CommandCountDecidesWhichLinesRun) {
    const std::vector<std::string> two_messages = {"1=信息框 one", "2=信息框 two"};
    struct Case {
        const char* why;
        std::vector<std::string> head;
        std::vector<std::string> expected;
    } cases[] = {
        {"zero", header("0"), {}},
        {"negative", header("-3"), {}},
        {"empty", header(""), {}},
        {"not a number", header("abc"), {}},
        {"missing key", {"[info]", "子程序的名字=main", "[main]"}, {}},
        {"full-width digit", header("２"), {"one", "two"}},
        {"one of two", header("1"), {"one"}},
        {"three with two present", header("3"), {"one", "two"}},
        {"spaces around the count", header("  2  "), {"one", "two"}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        EXPECT_EQ(run(write_script(with_lines(c.head, two_messages)), host), RunEnd::normal) << c.why;
        std::vector<std::string> messages;
        for (const Shown& s : host.shown) messages.push_back(s.message);
        EXPECT_EQ(messages, c.expected) << c.why;
        EXPECT_EQ(host.end_of_run_calls, 1) << c.why;
    }
}

TEST_F(Interpreter, MessageBeforeAnyTitleHasNoTitle) {
    RecordingHost host;
    run(write_script(with_lines(header("2"), {"1=信息框 first", "2=置信息框标题 Later"})), host);
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"first", kNoTitle}}));
    EXPECT_EQ(str(title_), "Later");
}

TEST_F(Interpreter, TitleSurvivesIntoTheNextRun) {
    RecordingHost first;
    run(write_script(with_lines(header("2"), {"1=置信息框标题 Kept", "2=信息框 a"})), first);
    RecordingHost second;
    run(write_script(with_lines(header("3"), {"1=信息框 b", "2=置信息框标题 New", "3=信息框 c"})), second);
    EXPECT_EQ(first.shown, (std::vector<Shown>{{"a", "Kept"}}));
    EXPECT_EQ(second.shown, (std::vector<Shown>{{"b", "Kept"}, {"c", "New"}}));
}

TEST_F(Interpreter, EmptyTitleLineBringsBackTheDefaultTitle) {
    for (const char* title_line : {"2=置信息框标题", "2=置信息框标题 ", "2=置信息框标题\t"}) {
        title_ = "Old";
        RecordingHost host;
        run(write_script(with_lines(header("3"), {"1=信息框 before", title_line, "3=信息框 after"})), host);
        EXPECT_EQ(host.shown, (std::vector<Shown>{{"before", "Old"}, {"after", kNoTitle}})) << title_line;
        EXPECT_TRUE(title_.empty());
    }
}

TEST_F(Interpreter, LineShapes) {
    struct Case {
        const char* why;
        std::string line;
        std::vector<std::string> expected;  // messages shown
    } cases[] = {
        {"whole value quoted", "1=\"信息框 Hi\"", {"Hi"}},
        {"quotes inside the message", "1=信息框 say \"hi\" now", {"say hi now"}},
        {"word quoted, line starts with a quote", "1=\"信息框\" x", {"x"}},
        {"quoted argument", "1=信息框 \"quoted\"", {"quoted"}},
        {"no separator loses a byte", "1=信息框Hello", {"ello"}},
        {"no separator cuts a character", "1=信息框你好", {str(Text("你好")).substr(1)}},
        {"any separator byte is skipped", "1=信息框:Hi", {"Hi"}},
        {"word only", "1=信息框", {""}},
        {"word and separator only", "1=\"信息框 \"", {""}},
        {"inner spaces stay", "1=信息框   a  b", {"  a  b"}},
        {"quoted spaces stay", "1=\"信息框 padded  \"", {"padded  "}},
        {"value with equals sign", "1=信息框 a=b", {"a=b"}},
        {"other command word", "1=打开文件 x", {}},
        {"word not at the start", "1= x信息框 y", {}},
        {"half the word", "1=信息 x", {}},
        {"empty value", "1=", {}},
        {"key with leading zero", "01=信息框 x", {}},
        {"spaces around the key", " 1 =信息框 spaced key", {"spaced key"}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        run(write_script(with_lines(header("1"), {c.line})), host);
        std::vector<std::string> messages;
        for (const Shown& s : host.shown) messages.push_back(s.message);
        EXPECT_EQ(messages, c.expected) << c.why;
        EXPECT_EQ(host.end_of_run_calls, 1) << c.why;
    }
}

TEST_F(Interpreter, SkippedLinesDoNotStopTheRun) {
    RecordingHost host;
    std::string path = write_script(with_lines(
        header("6"), {"1=打开 x", "2=", "4=信息框 four", "5=置信息框标题 T", "6=信息框 six", "7=信息框 seven"}));
    EXPECT_EQ(run(path, host), RunEnd::normal);
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"four", kNoTitle}, {"six", "T"}}));
    EXPECT_EQ(state_.line_number, 7);
}

TEST_F(Interpreter, LinesAreLookedUpByNumberNotByPosition) {
    RecordingHost host;
    run(write_script(with_lines(header("3"), {"3=信息框 c", "1=信息框 a", "2=信息框 b"})), host);
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"a", kNoTitle}, {"b", kNoTitle}, {"c", kNoTitle}}));
}

TEST_F(Interpreter, SectionNamesIgnoreAsciiCase) {
    RecordingHost host;
    run(write_script({"[INFO]", "当前命令数量=1", "子程序的名字=main", "[Main]", "1=信息框 found"}), host);
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"found", kNoTitle}}));
}

TEST_F(Interpreter, MissingPiecesRunNothingAndEndNormally) {
    struct Case {
        const char* why;
        std::string path;
        std::string section;
        int32_t count;
    } cases[] = {
        {"missing file", dir_ + "/absent.tmp", "main", 3},
        {"empty path", "", "main", 3},
        {"missing section", write_script(with_lines(header("1"), {"1=信息框 x"})), "other", 3},
        {"empty section name", write_script(with_lines(header("1"), {"1=信息框 x"})), "", 3},
        {"empty file", write_raw(""), "main", 3},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        RunState state;
        state.script_file_path = text(c.path);
        state.section_name = text(c.section);
        state.command_count = c.count;
        EXPECT_EQ(run_script(state, title_, host), RunEnd::normal) << c.why;
        EXPECT_TRUE(host.shown.empty()) << c.why;
        EXPECT_EQ(host.end_of_run_calls, 1) << c.why;
    }
}

TEST_F(Interpreter, ProfileModeSkipsLeadingBlanksOfPathAndNames) {
    std::string path = write_script(with_lines(header("1"), {"1=信息框 x"}));
    RunState state;
    state.script_file_path = text(" \t" + path);
    state.section_name = " main";
    state.command_count = 1;
    RecordingHost profile_host;
    run_script(state, title_, profile_host);
    EXPECT_EQ(profile_host.shown.size(), 1u);

    state.mode = IniMode::whole_values;
    RecordingHost whole_host;
    run_script(state, title_, whole_host);
    EXPECT_TRUE(whole_host.shown.empty());
    EXPECT_EQ(whole_host.end_of_run_calls, 1);
}

TEST_F(Interpreter, LongMessagesAreCutOnlyInProfileMode) {
    const std::string body(12000, 'x');
    std::string path = write_script(with_lines(header("1"), {"1=信息框 " + body}));
    RecordingHost profile_host;
    run(path, profile_host, IniMode::profile);
    ASSERT_EQ(profile_host.shown.size(), 1u);
    // The reader returns 10,239 bytes of the value; 7 of them are word and separator.
    EXPECT_EQ(profile_host.shown[0].message, body.substr(0, 10239 - 7));

    RecordingHost whole_host;
    run(path, whole_host, IniMode::whole_values);
    ASSERT_EQ(whole_host.shown.size(), 1u);
    EXPECT_EQ(whole_host.shown[0].message, body);
}

TEST_F(Interpreter, StopRequestEndsTheRunWithoutEndOfRun) {
    std::string path = write_script(with_lines(header("3"), {"1=信息框 a", "2=信息框 b", "3=信息框 c"}));
    for (long k : {0L, 1L, 2L, 3L}) {
        RecordingHost host;
        host.stop_after_checks = k;
        EXPECT_EQ(run(path, host), RunEnd::stopped) << k;
        EXPECT_EQ(host.shown.size(), static_cast<size_t>(k));
        EXPECT_EQ(host.end_of_run_calls, 0) << k;
    }
}

TEST_F(Interpreter, StopIsCheckedBeforeEveryLine) {
    std::string path = write_script(with_lines(header("4"), {"2=信息框 b"}));
    RecordingHost host;
    run(path, host);
    EXPECT_EQ(host.stop_checks, 5);  // lines 1..4 and the check before the normal end
}

TEST_F(Interpreter, HugeCountNeverEndsNormallyWhileStopping) {
    std::string path = write_script(with_lines(header("2147483647"), {"1=信息框 a", "500=信息框 b"}));
    RecordingHost host;
    host.stop_after_checks = 1000;
    EXPECT_EQ(run(path, host), RunEnd::stopped);
    EXPECT_EQ(state_.command_count, 2147483647);
    EXPECT_EQ(state_.line_number, 1001);
    EXPECT_EQ(host.shown, (std::vector<Shown>{{"a", kNoTitle}, {"b", kNoTitle}}));
    EXPECT_EQ(host.end_of_run_calls, 0);
}

// Started just below the bound, the loop shows what runs at and past it
// without first running two hundred million lines.
TEST_F(Interpreter, NoLineAboveTheBoundRuns) {
    ASSERT_EQ(kLineBound, 214748364);
    std::string path = write_script(with_lines(
        header("1"), {"214748363=信息框 below", "214748364=信息框 at", "214748365=信息框 above"}));
    struct Case {
        int32_t count;
        RunEnd end;
        std::vector<std::string> expected;
        int end_of_run_calls;
    } cases[] = {
        {214748363, RunEnd::normal, {"below"}, 1},
        {214748364, RunEnd::bound, {"below", "at"}, 0},
        {214748365, RunEnd::bound, {"below", "at"}, 0},
        {2147483647, RunEnd::bound, {"below", "at"}, 0},
    };
    for (const Case& c : cases) {
        RunState state;
        state.script_file_path = text(path);
        state.section_name = "main";
        state.command_count = c.count;
        RecordingHost host;
        EXPECT_EQ(run_script_from_line(state, kLineBound - 1, title_, host), c.end) << c.count;
        std::vector<std::string> messages;
        for (const Shown& s : host.shown) messages.push_back(s.message);
        EXPECT_EQ(messages, c.expected) << c.count;
        EXPECT_EQ(host.end_of_run_calls, c.end_of_run_calls) << c.count;
        EXPECT_LE(state.line_number, kLineBound + 1);
    }
}

TEST_F(Interpreter, HeaderIsReadWithTheGivenMode) {
    std::string path = write_script({"[info]", "当前命令数量=\"7\"", "子程序的名字=  cmds  ", "[cmds]"});
    RunState state;
    read_script_header(text(path), IniMode::profile, state);
    EXPECT_EQ(state.command_count, 7);
    EXPECT_EQ(str(state.section_name), "cmds");
    EXPECT_EQ(str(state.script_file_path), path);
    EXPECT_EQ(state.mode, IniMode::profile);

    RunState missing;
    missing.command_count = 99;
    missing.section_name = "stale";
    read_script_header(text(dir_ + "/absent.tmp"), IniMode::whole_values, missing);
    EXPECT_EQ(missing.command_count, 0);
    EXPECT_TRUE(missing.section_name.empty());
    EXPECT_EQ(missing.mode, IniMode::whole_values);
}
