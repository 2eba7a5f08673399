#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tlq::Text;

namespace {

std::vector<std::string> split(const std::string& line) {
    tlq::TextList list = tlq::split_command_line(Text(line.data(), line.size()));
    std::vector<std::string> out;
    for (size_t i = 0; i < list.size(); ++i) out.emplace_back(list[i].data(), list[i].size());
    return out;
}

struct Case {
    const char* why;
    std::string line;
    std::vector<std::string> expected;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(split(c.line), c.expected) << c.why;
}

}  // namespace

TEST(CommandLineProgramPath, IsSkipped) {
    check({
        {"empty line", "", {}},
        {"program only", "tlqedit.exe", {}},
        {"program and trailing space", "tlqedit.exe ", {}},
        {"quoted program only", "\"C:\\Program Files\\tlqedit.exe\"", {}},
        {"quoted program with argument", "\"C:\\Program Files\\tlqedit.exe\" a.tqspt", {"a.tqspt"}},
        {"quoted program, extra spaces", "\"C:\\x.exe\"   a", {"a"}},
        {"quoted program glued to argument", "\"C:\\x.exe\"arg", {"arg"}},
        {"unterminated quoted program", "\"C:\\x.exe arg", {}},
        {"unquoted path with a space falls apart", "C:\\My Tools\\x.exe arg", {"Tools\\x.exe", "arg"}},
        {"leading space ends the program path at once", " prog a", {"prog", "a"}},
    });
}

TEST(CommandLineArguments, PlainArguments) {
    check({
        {"two words", "p a b", {"a", "b"}},
        {"control bytes separate", "p \ta\r\nb\x01" "c", {"a", "b", "c"}},
        {"runs of separators", "p    a     b   ", {"a", "b"}},
        {"backslashes are plain bytes", "p C:\\a\\b.tqspt", {"C:\\a\\b.tqspt"}},
        {"quote ends a plain argument", "p a\"b c\"", {"a", "b c"}},
        {"Chinese path", "p D:\\脚本\\你好.tqspt", {"D:\\脚本\\你好.tqspt"}},
    });
}

TEST(CommandLineArguments, QuotedArguments) {
    check({
        {"quoted keeps spaces, loses quotes", "p \"a b\" c", {"a b", "c"}},
        {"lone quote at the end", "p \"", {""}},
        {"empty quotes", "p \"\" x", {"", "x"}},
        {"unterminated quote runs to the end", "p \"a b", {"a b"}},
        {"quoted glued to plain", "p \"a\"b", {"a", "b"}},
        {"no escapes", "p \"a\\\" b", {"a\\", "b"}},
    });
}

TEST(CommandLineArguments, TrailBytesNeverEndAnArgument) {
    check({
        {"trail byte 0x20 in plain argument", "p \xB0\x20x y", {"\xB0\x20x", "y"}},
        {"trail byte 0x22 in plain argument", "p \xB0\x22x", {"\xB0\x22x"}},
        {"trail byte 0x22 in quoted argument", "p \"\xB0\x22x\" y", {"\xB0\x22x", "y"}},
        {"lone lead byte at the end", "p a\xB0", {"a\xB0"}},
        {"0x80 counts as a lead byte", "p \x80 z", {"\x80 z"}},
    });
}
