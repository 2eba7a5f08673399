// The command line: every accepted form and every refusal.
#include "arguments.h"

#include <gtest/gtest.h>

using namespace tlq::tlqc;

namespace {

struct Accepted {
    std::vector<std::string> args;
    Command command;
    std::vector<std::string> files;
    KeyChoice key;
    std::string output_dir;
    bool gui;
    bool no_launcher;
    bool help;
};

TEST(Arguments, AcceptedForms) {
    const std::vector<Accepted> cases = {
        {{"run", "a.ini"}, Command::run, {"a.ini"}, KeyChoice::none, "", false, false, false},
        {{"run", "--gui", "a.ini"}, Command::run, {"a.ini"}, KeyChoice::none, "", true, false, false},
        {{"check", "--", "-odd.ini"}, Command::check, {"-odd.ini"}, KeyChoice::none, "", false, false, false},
        {{"check", "-"}, Command::check, {"-"}, KeyChoice::none, "", false, false, false},
        {{"compile", "a.ini"}, Command::compile, {"a.ini"}, KeyChoice::none, "", false, false, false},
        {{"compile", "a.ini", "-o", "out dir"}, Command::compile, {"a.ini"}, KeyChoice::none, "out dir", false,
         false, false},
        {{"compile", "--output=out", "--no-launcher", "a.ini"}, Command::compile, {"a.ini"}, KeyChoice::none,
         "out", false, true, false},
        {{"compile", "--output", "out", "a.ini"}, Command::compile, {"a.ini"}, KeyChoice::none, "out", false,
         false, false},
        {{"seal", "--key", "file", "a", "b"}, Command::seal, {"a", "b"}, KeyChoice::file, "", false, false, false},
        {{"unseal", "a", "b", "--key=code"}, Command::unseal, {"a", "b"}, KeyChoice::code, "", false, false,
         false},
        {{"compile", "--help"}, Command::compile, {}, KeyChoice::none, "", false, false, true},
        {{"seal", "-h", "--bogus"}, Command::seal, {}, KeyChoice::none, "", false, false, true},
        {{"help", "unseal"}, Command::unseal, {}, KeyChoice::none, "", false, false, true},
        {{"--help"}, Command::none, {}, KeyChoice::none, "", false, false, true},
        {{"-h"}, Command::none, {}, KeyChoice::none, "", false, false, true},
        {{"help"}, Command::none, {}, KeyChoice::none, "", false, false, true},
    };
    for (const Accepted& c : cases) {
        const Invocation got = parse_arguments(c.args);
        const std::string line = ::testing::PrintToString(c.args);
        EXPECT_EQ(got.error, "") << line;
        EXPECT_EQ(got.command, c.command) << line;
        EXPECT_EQ(got.files, c.files) << line;
        EXPECT_EQ(got.key, c.key) << line;
        EXPECT_EQ(got.output_dir, c.output_dir) << line;
        EXPECT_EQ(got.gui, c.gui) << line;
        EXPECT_EQ(got.no_launcher, c.no_launcher) << line;
        EXPECT_EQ(got.help, c.help) << line;
    }
    EXPECT_TRUE(parse_arguments({"--version"}).version);
}

TEST(Arguments, RefusalsSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"build", "a"}, "unknown command 'build'"},
        {{"help", "build"}, "unknown command 'build'"},
        {{"run"}, "run needs FILE"},
        {{"run", "a", "b"}, "too many files for run: 'b'"},
        {{"check", "--gui", "a"}, "unknown option '--gui' for check"},
        {{"compile", "a", "-o"}, "option -o needs a folder"},
        {{"compile", "a", "--output="}, "option --output needs a folder"},
        {{"compile", "--no-launcher=yes", "a"}, "unknown option '--no-launcher=yes' for compile"},
        {{"seal", "a", "b"}, "seal needs --key file or --key code"},
        {{"seal", "--key", "disk", "a", "b"}, "unknown key 'disk': use --key file or --key code"},
        {{"unseal", "--key"}, "option --key needs 'file' or 'code'"},
        {{"unseal", "--key", "code", "a"}, "unseal needs IN and OUT"},
        {{"seal", "--key", "file", "a", "b", "c"}, "too many files for seal: 'c'"},
        {{"run", "-o", "x", "a"}, "unknown option '-o' for run"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parse_arguments(c.first).error, c.second) << ::testing::PrintToString(c.first);
    }
}

}  // namespace
