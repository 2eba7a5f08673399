// The built tlqc program, run as a user runs it: every command on a table of
// scripts, its output, its files and its exit status.
// usage: test_tlqc_program TLQC [LAUNCHSTUB_IMAGE]
#include <gtest/gtest.h>

#include <fcntl.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "key_texts.h"
#include "script_template.h"
#include "sealed_file.h"

using namespace tlq;

namespace {

std::string g_tlqc;
std::string g_image_path;  // empty: tlqc was built without a launcher image

const char kPlaceholder[] = "你好世界你好世界你好世界你好世界";

std::string str(const ByteString& b) { return std::string(b.data(), b.size()); }
Bytes bytes(const std::string& s) { return Bytes(s.data(), s.size()); }

// Literals here are GBK; the terminal output of tlqc on Linux is UTF-8.
std::string utf8(const std::string& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out(gbk.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(gbk.data());
    size_t in_left = gbk.size();
    char* o = &out[0];
    size_t out_left = out.size();
    iconv(cd, &in, &in_left, &o, &out_left);
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string script(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

std::string with_name(const std::string& name) {
    return script({"[info]", "当前命令数量=2", "子程序的名字=main", "程序名称=" + name, "[main]",
                   "1=置信息框标题 Hello", "2=信息框 Hello World!"});
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class Tlqc : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tlqc_program_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    std::string at(const std::string& name) const { return dir_ + "/" + name; }

    // Runs tlqc in the test's folder with its output caught in files.
    Outcome tlqc(const std::vector<std::string>& args) const {
        const std::string out_path = at(".stdout");
        const std::string err_path = at(".stderr");
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir_.c_str()) != 0) _exit(126);
            const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int none = open("/dev/null", O_RDONLY);
            dup2(out, 1);
            dup2(err, 2);
            dup2(none, 0);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(g_tlqc.c_str()));
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(g_tlqc.c_str(), argv.data());
            _exit(127);
        }
        Outcome outcome;
        int wait_status = 0;
        waitpid(pid, &wait_status, 0);
        outcome.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
        outcome.out = read_file(out_path);
        outcome.err = read_file(err_path);
        unlink(out_path.c_str());
        unlink(err_path.c_str());
        return outcome;
    }

    std::string dir_;
};

// ---- help and command line ------------------------------------------------

TEST_F(Tlqc, HelpForTheToolAndEachCommand) {
    const Outcome overview = tlqc({"--help"});
    EXPECT_EQ(overview.status, 0);
    for (const char* word : {"run FILE", "check FILE", "compile FILE", "seal --key", "unseal --key",
                             "Exit status:", "7  compile"}) {
        EXPECT_NE(overview.out.find(word), std::string::npos) << word;
    }
    for (const char* command : {"run", "check", "compile", "seal", "unseal"}) {
        const Outcome help = tlqc({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.find(std::string("Usage: tlqc ") + command), 0u) << help.out;
        EXPECT_NE(help.out.find("Exit status"), std::string::npos) << command;
        EXPECT_EQ(tlqc({"help", command}).out, help.out);
    }
    // The run help names the default title, printed in the terminal's encoding.
    EXPECT_NE(tlqc({"run", "--help"}).out.find(utf8("信息：")), std::string::npos);
}

TEST_F(Tlqc, BadCommandLinesExitWithThree) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"make"}, {"run"}, {"seal", "a", "b"}, {"check", "--gui", "a"}}) {
        const Outcome outcome = tlqc(args);
        EXPECT_EQ(outcome.status, 3) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("try 'tlqc"), std::string::npos) << outcome.err;
    }
}

// ---- run ------------------------------------------------------------------

struct RunCase {
    const char* name;
    std::string text;
    std::string printed;  // GBK; one "[title] text" line per box
};

std::vector<RunCase> run_cases() {
    const auto header = [](const std::string& count, const std::vector<std::string>& lines) {
        std::vector<std::string> all = {"[info]", "当前命令数量=" + count, "子程序的名字=main", "[main]"};
        all.insert(all.end(), lines.begin(), lines.end());
        return script(all);
    };
    return {
        {"template", kScriptTemplate, "[Hello] Hello World!\n"},
        {"default title", header("1", {"1=信息框 a"}), "[信息：] a\n"},
        {"missing line skipped", header("3", {"1=信息框 a", "2=信息框 b"}), "[信息：] a\n[信息：] b\n"},
        {"line above count", header("1", {"1=信息框 a", "2=信息框 b"}), "[信息：] a\n"},
        {"count not a number", header("abc", {"1=信息框 a"}), ""},
        {"full-width count", header("２", {"1=信息框 a", "2=信息框 b"}), "[信息：] a\n[信息：] b\n"},
        {"quoted value", header("1", {"1=\"信息框 Hi\""}), "[信息：] Hi\n"},
        {"key 02 not found", header("2", {"1=信息框 a", "02=信息框 b"}), "[信息：] a\n"},
        {"section case", script({"[info]", "当前命令数量=1", "子程序的名字=main", "[Main]", "1=信息框 a"}),
         "[信息：] a\n"},
        {"title reset", header("3", {"1=置信息框标题 T", "2=置信息框标题", "3=信息框 a"}), "[信息：] a\n"},
        {"no space", header("1", {"1=信息框Hello"}), "[信息：] ello\n"},
        {"quotes vanish", header("1", {"1=信息框 say \"hi\" now"}), "[信息：] say hi now\n"},
        {"chinese text and title", header("2", {"1=置信息框标题 标题", "2=信息框 你好，世界"}),
         "[标题] 你好，世界\n"},
        {"unknown words ignored", header("3", {"1=消息框 a", "2=", "3=信息框 c"}), "[信息：] c\n"},
        {"no info section", "[main]\r\n1=信息框 a", ""},
        {"empty file", "", ""},
    };
}

TEST_F(Tlqc, RunPrintsEachBoxForPlainScriptAndCodeFiles) {
    const std::vector<RunCase> cases = run_cases();
    for (size_t i = 0; i < cases.size(); ++i) {
        const RunCase& c = cases[i];
        std::vector<std::pair<std::string, std::string>> forms = {{"plain.ini", c.text}};
        // The sealed forms of a few: the rest is the same interpreter.
        if (i < 3) {
            forms.emplace_back("script.tqspt", str(seal(bytes(c.text), kFileKey)));
            forms.emplace_back("code.tlqcode", str(seal(bytes(c.text), kCodeKey)));
        }
        for (const auto& form : forms) {
            write_file(at(form.first), form.second);
            const Outcome outcome = tlqc({"run", form.first});
            EXPECT_EQ(outcome.status, 0) << c.name << " " << form.first << " " << outcome.err;
            EXPECT_EQ(outcome.out, utf8(c.printed)) << c.name << " " << form.first;
            EXPECT_EQ(outcome.err, "") << c.name;
        }
    }
}

TEST_F(Tlqc, RunLeavesNoTemporaryCopyOfASealedScript) {
    const std::string tmp = at("tmp");
    ASSERT_EQ(mkdir(tmp.c_str(), 0700), 0);
    write_file(at("code.tlqcode"), str(seal(bytes(kScriptTemplate), kCodeKey)));
    setenv("TMPDIR", tmp.c_str(), 1);
    const Outcome outcome = tlqc({"run", "code.tlqcode"});
    unsetenv("TMPDIR");
    EXPECT_EQ(outcome.out, "[Hello] Hello World!\n");
    EXPECT_EQ(system(("test -z \"$(ls -A '" + tmp + "')\"").c_str()), 0) << "temporary file left behind";
}

TEST_F(Tlqc, RunRefusesWhatIsNoScript) {
    write_file(at("foreign.bin"), str(seal(bytes(kScriptTemplate), "another key")));
    ASSERT_EQ(mkdir(at("folder").c_str(), 0700), 0);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* words;
    } cases[] = {
        {{"run", "missing.ini"}, 4, "cannot read 'missing.ini': No such file"},
        {{"run", "folder"}, 4, "cannot read 'folder'"},
        {{"run", "foreign.bin"}, 5, "'foreign.bin' is not a script"},
        {{"run", "--gui", "missing.ini"}, 3, "needs the Windows build"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = tlqc(c.args);
        EXPECT_EQ(outcome.status, c.status) << c.words;
        EXPECT_NE(outcome.err.find(c.words), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

// ---- check ----------------------------------------------------------------

TEST_F(Tlqc, CheckPrintsOneLinePerFindingAndExitsBySeverity) {
    write_file(at("clean.ini"), kScriptTemplate);
    write_file(at("warned.ini"), script({"[info]", "当前命令数量=3", "子程序的名字=main", "程序名称=x", "[main]",
                                         "1=信息框Hello", "2=信息框 b"}));
    write_file(at("broken.ini"), script({"[info]", "当前命令数量=abc", "子程序的名字=main"}));
    write_file(at("sealed.tqspt"), str(seal(bytes(kScriptTemplate), kFileKey)));

    const Outcome clean = tlqc({"check", "clean.ini"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "clean.ini: no findings\n");
    EXPECT_EQ(tlqc({"check", "sealed.tqspt"}).status, 0);

    const Outcome warned = tlqc({"check", "warned.ini"});
    EXPECT_EQ(warned.status, 1);
    EXPECT_EQ(warned.out, utf8("warned.ini:2: warning: 当前命令数量 is 3, but line 3 is missing: it is skipped\n"
                               "warned.ini:6: warning: no space after 信息框: its first byte 'H' is lost\n"
                               "warned.ini: 0 errors, 2 warnings\n"));

    const Outcome broken = tlqc({"check", "broken.ini"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_NE(broken.out.find(utf8("broken.ini:2: error: 当前命令数量=abc is not a number")), std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("broken.ini: 2 errors, 1 warning\n"), std::string::npos) << broken.out;

    EXPECT_EQ(tlqc({"check", "nothing.ini"}).status, 4);
}

// ---- seal and unseal ------------------------------------------------------

TEST_F(Tlqc, SealAndUnsealRoundTripsWithBothKeys) {
    const std::vector<std::string> payloads = {kScriptTemplate, "x", "abcd", "abcde", std::string(12, 'q'),
                                               std::string(13, 'r'), std::string("\0\x01\xff zero", 8),
                                               std::string(100, 'z'), ""};
    for (const char* key : {"file", "code"}) {
        const char* key_text = std::string(key) == "file" ? kFileKey : kCodeKey;
        for (const std::string& payload : payloads) {
            write_file(at("in"), payload);
            ASSERT_EQ(tlqc({"seal", "--key", key, "in", "sealed"}).status, 0);
            EXPECT_EQ(read_file(at("sealed")), str(seal(bytes(payload), key_text))) << key << payload.size();
            const Outcome unsealed = tlqc({"unseal", "--key", key, "sealed", "out"});
            EXPECT_EQ(unsealed.status, 0) << unsealed.err;
            EXPECT_EQ(unsealed.out, "wrote out\n");
            EXPECT_EQ(read_file(at("out")), payload) << key << payload.size();
        }
    }
}

TEST_F(Tlqc, UnsealRefusesOtherKeysAndKeepsTheOutput) {
    write_file(at("script.tqspt"), str(seal(bytes(kScriptTemplate), kFileKey)));
    write_file(at("plain.ini"), kScriptTemplate);
    write_file(at("out"), "old");
    Outcome outcome = tlqc({"unseal", "--key", "code", "script.tqspt", "out"});
    EXPECT_EQ(outcome.status, 5);
    EXPECT_NE(outcome.err.find("not sealed with the code key: it is sealed with the file key (use --key file)"),
              std::string::npos)
        << outcome.err;
    outcome = tlqc({"unseal", "--key", "file", "plain.ini", "out"});
    EXPECT_EQ(outcome.status, 5);
    EXPECT_EQ(outcome.err, "tlqc: 'plain.ini' is not sealed with the file key\n");
    EXPECT_EQ(read_file(at("out")), "old");
    EXPECT_EQ(tlqc({"unseal", "--key", "file", "gone", "out"}).status, 4);
    outcome = tlqc({"seal", "--key", "file", "plain.ini", "no/such/folder/out"});
    EXPECT_EQ(outcome.status, 6);
    EXPECT_EQ(outcome.err, "tlqc: cannot write 'no/such/folder/out'\n");
}

// ---- compile --------------------------------------------------------------

// The launcher as it must come out: the image with the placeholder's 32
// bytes replaced by the name and spaces. Composed here on its own.
std::string expected_launcher(const std::string& image, const std::string& name) {
    std::string launcher = image;
    const size_t at = launcher.find(kPlaceholder);
    launcher.replace(at, 32, name + std::string(32 - name.size(), ' '));
    return launcher;
}

TEST_F(Tlqc, VersionTellsWhetherTheLauncherImageIsBuiltIn) {
    const Outcome outcome = tlqc({"--version"});
    EXPECT_EQ(outcome.status, 0);
    const std::string expected = g_image_path.empty()
                                     ? std::string("project launcher image: not built in")
                                     : "project launcher image: " + std::to_string(read_file(g_image_path).size()) +
                                           " bytes";
    EXPECT_NE(outcome.out.find(expected), std::string::npos) << outcome.out;
}

TEST_F(Tlqc, CompileWritesTheCodeFileThatRunsAndUnsealsToTheText) {
    write_file(at("hello.ini"), kScriptTemplate);
    ASSERT_EQ(mkdir(at("out dir").c_str(), 0700), 0);
    const Outcome outcome = tlqc({"compile", "hello.ini", "-o", "out dir", "--no-launcher"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "wrote out dir/HelloWorld.tlqcode\n");
    EXPECT_FALSE(exists(at("out dir/HelloWorld.exe")));
    const std::string code = read_file(at("out dir/HelloWorld.tlqcode"));
    EXPECT_EQ(str(unseal(bytes(code), kCodeKey)), kScriptTemplate);
    EXPECT_EQ(tlqc({"run", "out dir/HelloWorld.tlqcode"}).out, "[Hello] Hello World!\n");
}

TEST_F(Tlqc, CompileOfAScriptFileGivesTheSameCodeFile) {
    write_file(at("hello.tqspt"), str(seal(bytes(kScriptTemplate), kFileKey)));
    EXPECT_EQ(tlqc({"compile", "hello.tqspt", "--no-launcher"}).status, 0);
    EXPECT_EQ(read_file(at("HelloWorld.tlqcode")), str(seal(bytes(kScriptTemplate), kCodeKey)));
}

TEST_F(Tlqc, CompileNamesFilesInTheTerminalsEncoding) {
    write_file(at("cn.ini"), with_name("你好"));
    EXPECT_EQ(tlqc({"compile", "cn.ini", "--no-launcher"}).status, 0);
    EXPECT_TRUE(exists(at(utf8("你好") + ".tlqcode")));
}

TEST_F(Tlqc, CompileRefusesInvalidNamesBeforeWritingAnything) {
    for (const char* name : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a<b", "a>b", "a|b", "a\"b\"c", "CON"}) {
        write_file(at("bad.ini"), with_name(name));
        const Outcome outcome = tlqc({"compile", "bad.ini"});
        EXPECT_EQ(outcome.status, 7) << name;
        EXPECT_NE(outcome.err.find("nothing written: the program name"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(system(("test \"$(ls -A '" + dir_ + "')\" = bad.ini").c_str()), 0) << name;
    }
}

TEST_F(Tlqc, CompileReportsAFolderThatCannotBeWritten) {
    write_file(at("hello.ini"), kScriptTemplate);
    const Outcome outcome = tlqc({"compile", "hello.ini", "-o", "missing"});
    EXPECT_EQ(outcome.status, 6);
    EXPECT_EQ(outcome.err, "tlqc: cannot write 'missing/HelloWorld.tlqcode'\n");
}

TEST_F(Tlqc, CompileWithoutABuiltInImageWritesTheCodeFileOnly) {
    if (!g_image_path.empty()) GTEST_SKIP() << "this tlqc carries a launcher image";
    write_file(at("hello.ini"), kScriptTemplate);
    const Outcome outcome = tlqc({"compile", "hello.ini"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.err.find("built without the project launcher image"), std::string::npos);
    EXPECT_TRUE(exists(at("HelloWorld.tlqcode")));
    EXPECT_FALSE(exists(at("HelloWorld.exe")));
}

TEST_F(Tlqc, CompileWritesTheLauncherWithItsNameFieldFilled) {
    if (g_image_path.empty()) GTEST_SKIP() << "tlqc built without TLQ_LAUNCHSTUB_IMAGE";
    const std::string image = read_file(g_image_path);
    ASSERT_NE(image.find(kPlaceholder), std::string::npos);
    // 10, 31 and 32 bytes (16 Chinese characters) fit.
    for (const std::string& name : {std::string("HelloWorld"), std::string(31, 'n'),
                                    std::string("你好世界你好世界你好世界你好世界"), std::string("Hello World")}) {
        write_file(at("p.ini"), with_name(name));
        const Outcome outcome = tlqc({"compile", "p.ini"});
        EXPECT_EQ(outcome.status, 0) << name << outcome.err;
        const std::string file_stem = at(utf8(name));
        EXPECT_EQ(outcome.out, "wrote " + utf8(name) + ".tlqcode\nwrote " + utf8(name) + ".exe\n");
        const std::string launcher = read_file(file_stem + ".exe");
        EXPECT_EQ(launcher.size(), image.size());
        EXPECT_TRUE(launcher == expected_launcher(image, name)) << name;
        EXPECT_EQ(str(unseal(bytes(read_file(file_stem + ".tlqcode")), kCodeKey)), with_name(name));
    }
}

TEST_F(Tlqc, CompileOfA33ByteNameWritesNoLauncher) {
    if (g_image_path.empty()) GTEST_SKIP() << "tlqc built without TLQ_LAUNCHSTUB_IMAGE";
    const std::string name(33, 'l');
    write_file(at("long.ini"), with_name(name));
    const Outcome outcome = tlqc({"compile", "long.ini"});
    EXPECT_EQ(outcome.status, 7);
    EXPECT_NE(outcome.err.find("is 33 bytes, and the launcher holds at most 32"), std::string::npos)
        << outcome.err;
    EXPECT_TRUE(exists(at(name + ".tlqcode")));
    EXPECT_FALSE(exists(at(name + ".exe")));
    // Told not to write a launcher, the long name is no fault.
    EXPECT_EQ(tlqc({"compile", "long.ini", "--no-launcher"}).status, 0);
}

TEST_F(Tlqc, CompileReplacesEarlierOutput) {
    if (g_image_path.empty()) GTEST_SKIP() << "tlqc built without TLQ_LAUNCHSTUB_IMAGE";
    write_file(at("HelloWorld.tlqcode"), "old code");
    write_file(at("HelloWorld.exe"), "old launcher");
    write_file(at("hello.ini"), kScriptTemplate);
    EXPECT_EQ(tlqc({"compile", "hello.ini"}).status, 0);
    EXPECT_EQ(read_file(at("HelloWorld.tlqcode")), str(seal(bytes(kScriptTemplate), kCodeKey)));
    EXPECT_TRUE(read_file(at("HelloWorld.exe")) == expected_launcher(read_file(g_image_path), "HelloWorld"));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: %s TLQC [LAUNCHSTUB_IMAGE]\n", argv[0]);
        return 2;
    }
    char* absolute = realpath(argv[1], nullptr);  // the tests change folder
    g_tlqc = absolute ? absolute : argv[1];
    free(absolute);
    g_image_path = argc > 2 ? argv[2] : "";
    return RUN_ALL_TESTS();
}
