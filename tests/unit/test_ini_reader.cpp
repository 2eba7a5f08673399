#include "ini_reader.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace tlq;

namespace {

template <size_t N>
std::string B(const char (&literal)[N]) {
    return std::string(literal, N - 1);  // keeps zero bytes
}

std::string str(const ByteString& s) { return std::string(s.data(), s.size()); }
Text text(const std::string& s) { return Text(s.data(), s.size()); }

std::string letters(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += static_cast<char>('a' + i % 26);
    return out;
}

std::string repeat(const std::string& unit, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += unit;
    return out;
}

const std::string kTemplate =
    "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n[main]\r\n1=置信息框标题 "
    "Hello\r\n2=信息框 Hello World!";

const char* const kMissing = nullptr;

// One lookup; profile and whole are the answers in the two modes
// (kMissing: not found).
struct FindCase {
    const char* what;
    std::string text;
    std::string section;
    std::string key;
    const char* profile;
    const char* whole;
};

void expect_find(const FindCase& c) {
    IniDocument document(text(c.text));
    struct {
        IniMode mode;
        const char* expected;
        const char* name;
    } modes[] = {{IniMode::profile, c.profile, "profile"}, {IniMode::whole_values, c.whole, "whole_values"}};
    for (const auto& m : modes) {
        Text value("stale");
        bool found = document.find(text(c.section), text(c.key), m.mode, value);
        EXPECT_EQ(found, m.expected != kMissing) << c.what << " (" << m.name << ")";
        EXPECT_EQ(str(value), m.expected ? std::string(m.expected) : std::string()) << c.what << " (" << m.name << ")";
    }
}

}  // namespace

TEST(IniFind, ScriptTemplate) {
    const FindCase cases[] = {
        {"count", kTemplate, "info", "当前命令数量", "2", "2"},
        {"section name in capitals", kTemplate, "INFO", "子程序的名字", "main", "main"},
        {"program name", kTemplate, "info", "程序名称", "HelloWorld", "HelloWorld"},
        {"line 1", kTemplate, "main", "1", "置信息框标题 Hello", "置信息框标题 Hello"},
        {"section asked as Main", kTemplate, "Main", "2", "信息框 Hello World!", "信息框 Hello World!"},
        {"key 02 is not key 2", kTemplate, "main", "02", kMissing, kMissing},
        {"line past the end", kTemplate, "main", "3", kMissing, kMissing},
        {"key of another section", kTemplate, "info", "1", kMissing, kMissing},
        {"quoted line", "[main]\r\n2=\"信息框 Hi\"\r\n", "main", "2", "信息框 Hi", "信息框 Hi"},
        {"header spelled Main", "[Main]\r\n1=x\r\n", "main", "1", "x", "x"},
    };
    for (const FindCase& c : cases) expect_find(c);
}

TEST(IniFind, RequestedNames) {
    const FindCase cases[] = {
        {"leading control bytes skipped in profile mode only", "[main]\r\n1=x\r\n", "\x01\x02 main", "\t\x1f" "1", "x",
         kMissing},
        {"names with a control byte in the file", B("[\x01s]\r\n\x01k=v\r\n"), "\x01s", "\x01k", kMissing, "v"},
        {"blanks around the name ignored", "[s]\r\nk=v\r\n", " s\t", "\x0bk\x1a", "v", "v"},
        {"trailing control byte is part of the name", "[s]\r\nk=v\r\n", "s\x01", "k", kMissing, kMissing},
        {"empty section: nothing in profile mode, the lines before the first header otherwise", "a=1\r\n[s]\r\n", "",
         "a", kMissing, "1"},
        {"only control bytes", "a=1\r\n[s]\r\n", "\x01\x02", "a", kMissing, kMissing},
        {"empty key", "[s]\r\n=x\r\n", "s", "", kMissing, "x"},
        {"lone lead byte at the end of a name is dropped", "[s]\r\nk=v\r\n", "s", "k\x81", "v", "v"},
        {"broken pair in a name reads as ?", "[s]\r\nk?=v\r\n", "s", "k\x81 ", "v", "v"},
        {"GBK names", "[节]\r\n键=值\r\n", "节", "键", "值", "值"},
        {"trail byte that looks like a letter is not folded", "[s]\r\n癆=1\r\n", "s", "癮", kMissing, kMissing},
        {"full-width letters are not folded", "[Ａ]\r\nk=1\r\n", "ａ", "k", kMissing, kMissing},
        {"ideographic space is no blank", "[s]\r\n　k=1\r\n", "s", "k", kMissing, kMissing},
    };
    for (const FindCase& c : cases) expect_find(c);
}

TEST(IniFind, LinesAndSections) {
    const FindCase cases[] = {
        {"duplicate key: the first wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1", "1"},
        {"duplicate empty key: the first wins", "[s]\r\nk=\r\nk=2\r\n", "s", "k", "", ""},
        {"duplicate section: only the first is searched", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", kMissing, kMissing},
        {"duplicate section: the first still answers", "[s]\r\na=1\r\n[S]\r\na=2\r\n", "s", "a", "1", "1"},
        {"a line without = hides a later key", "[s]\r\nk\r\nk=v\r\n", "s", "k", kMissing, kMissing},
        {"comment lines are keys", "[s]\r\n;k=v\r\n", "s", ";k", "v", "v"},
        {"comment line does not hide the key", "[s]\r\n;k=v\r\nk=w\r\n", "s", "k", "w", "w"},
        {"bare LF", "[s]\nk=v\nj=w", "s", "j", "w", "w"},
        {"bare CR", "[s]\rk=v\rj=w", "s", "j", "w", "w"},
        {"blank lines", "[s]\r\n\r\n  \r\n\t\r\nk=v", "s", "k", "v", "v"},
        {"blanks before the header", " \t[s]\r\nk=v\r\n", "s", "k", "v", "v"},
        {"other bytes before [ make no header", B("\x01[s]\r\nk=v\r\n"), "s", "k", kMissing, kMissing},
        {"blanks inside the brackets", "[ s\t]\r\nk=v\r\n", "s", "k", "v", "v"},
        {"text after ] ignored", "[s] tail\r\nk=v\r\n", "s", "k", "v", "v"},
        {"the header ends at the last ]", "[s]x]\r\nk=v\r\n", "s]x", "k", "v", "v"},
        {"header without ] is a plain line", "[s]\r\n[t\r\nk=v\r\n", "s", "k", "v", "v"},
        {"] as a trail byte does not close", "[s癩\r\nk=v\r\n", "", "k", kMissing, "v"},
        {"name ending in a ]-trail character", "[癩]\r\nk=v\r\n", "癩", "k", "v", "v"},
        {"key and value on the header line ignored", "[s]k=v\r\n", "s", "k", kMissing, kMissing},
        {"[] never answers for the empty name", "[]\r\nk=v\r\n", "", "k", kMissing, kMissing},
        {"UTF-8 byte-order mark", B("\xEF\xBB\xBF[s]\r\nk=v\r\n"), "s", "k", "v", "v"},
        {"no line end at the end", "[s]\r\nk=v", "s", "k", "v", "v"},
        {"empty text", "", "s", "k", kMissing, kMissing},
    };
    for (const FindCase& c : cases) expect_find(c);
}

TEST(IniFind, Values) {
    const FindCase cases[] = {
        {"spaces and tabs trimmed", "[s]\r\n \t k \t = \t v w \t \r\n", "s", "k", "v w", "v w"},
        {"VT, FF and 0x1A trimmed", B("[s]\r\nk=\x0b\x0c\x1av\x1a\x0c\x0b\r\n"), "s", "k", "v", "v"},
        {"0x1C stays", B("[s]\r\nk=\x1cv\x1c\r\n"), "s", "k", "\x1cv\x1c", "\x1cv\x1c"},
        {"ideographic space stays", "[s]\r\nk=　值　\r\n", "s", "k", "　值　", "　值　"},
        {"value with =", "[s]\r\nk=a=b\r\n", "s", "k", "a=b", "a=b"},
        {"empty value", "[s]\r\nk=\r\n", "s", "k", "", ""},
        {"blank value", "[s]\r\nk= \t\r\n", "s", "k", "", ""},
        {"double quotes", "[s]\r\nk=\"v\"\r\n", "s", "k", "v", "v"},
        {"single quotes", "[s]\r\nk='v'\r\n", "s", "k", "v", "v"},
        {"quotes keep inner spaces", "[s]\r\nk= \" a \" \r\n", "s", "k", " a ", " a "},
        {"unbalanced quotes stay", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'", "\"v'"},
        {"opening quote only", "[s]\r\nk=\"v\r\n", "s", "k", "\"v", "\"v"},
        {"one quote", "[s]\r\nk=\"\r\n", "s", "k", "\"", "\""},
        {"empty quotes", "[s]\r\nk=\"\"\r\n", "s", "k", "", ""},
        {"quotes inside", "[s]\r\nk=a\"b\"c\r\n", "s", "k", "a\"b\"c", "a\"b\"c"},
        {"only the enclosing pair goes", "[s]\r\nk=\"a\"b\"\r\n", "s", "k", "a\"b", "a\"b"},
        {"other quote inside a pair", "[s]\r\nk='\"'\r\n", "s", "k", "\"", "\""},
        {"zero byte ends the value", B("[s]\r\nk=v\0w\r\n"), "s", "k", "v", "v"},
        {"zero byte ends the key", B("[s]\r\nk\0z=v\r\n"), "s", "k", "v", "v"},
        {"broken pair eats the line end", B("[s]\r\nk=a\x81\nb\r\nj=c\r\n"), "s", "k", "a?b", "a?b"},
        {"broken pair before CR LF", B("[s]\r\nk=a\x81\r\nj=c\r\n"), "s", "k", "a?", "a?"},
        {"broken pair eats =", B("[s]\r\nk\x81=v\r\n"), "s", "k?v", kMissing, kMissing},
        {"lone lead byte at the end of the file", B("[s]\r\nk=v\x81"), "s", "k", "v?", "v?"},
        {"0x80 and 0xFF are single bytes", B("[s]\r\nk=\x80\xff\r\n"), "s", "k", "\x80\xff", "\x80\xff"},
    };
    for (const FindCase& c : cases) expect_find(c);
}

TEST(IniFind, LongValues) {
    const std::string long_letters = letters(20000);
    const std::string long_gbk = repeat("值", 10000);
    const std::string document_text = "[s]\r\na=" + long_letters + "\r\nb=" + long_gbk + "\r\nc=\"" + letters(10239) +
                                      "\"\r\nd=\"" + long_letters + "\"\r\ne=" + letters(10239) + "\r\nf=" +
                                      letters(10238) + "值\r\n";
    IniDocument document(text(document_text));
    struct Case {
        const char* key;
        std::string profile;
        std::string whole;
    } cases[] = {
        {"a", long_letters.substr(0, 10239), long_letters},
        {"b", long_gbk.substr(0, 10238), long_gbk},  // no half character at the cut
        {"c", letters(10239), letters(10239)},
        {"d", long_letters.substr(0, 10239), long_letters},
        {"e", letters(10239), letters(10239)},
        {"f", letters(10238), letters(10238) + "值"},
    };
    for (const Case& c : cases) {
        Text value;
        ASSERT_TRUE(document.find("s", c.key, IniMode::profile, value)) << c.key;
        EXPECT_EQ(value.size(), c.profile.size()) << c.key;
        EXPECT_TRUE(str(value) == c.profile) << c.key;
        ASSERT_TRUE(document.find("s", c.key, IniMode::whole_values, value)) << c.key;
        EXPECT_EQ(value.size(), c.whole.size()) << c.key;
        EXPECT_TRUE(str(value) == c.whole) << c.key;
    }
}

TEST(IniFind, EveryLineOfALongScript) {
    // Each lookup must find its own line among many (the index grows as it fills).
    const int lines = 20000;
    std::string script = "[info]\r\n当前命令数量=20000\r\n[main]\r\n";
    for (int i = lines; i >= 1; --i) script += std::to_string(i) + "=信息框 line " + std::to_string(i) + "\r\n";
    IniDocument document(text(script));
    for (int i = 1; i <= lines; ++i) {
        Text value;
        ASSERT_TRUE(document.find("main", text(std::to_string(i)), IniMode::profile, value)) << i;
        ASSERT_EQ(str(value), "信息框 line " + std::to_string(i));
    }
    Text value;
    EXPECT_FALSE(document.find("main", text(std::to_string(lines + 1)), IniMode::profile, value));
    EXPECT_FALSE(document.find("info", "1", IniMode::profile, value));
}

TEST(IniFind, GarbageNeverCrashes) {
    unsigned state = 2024;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0xFF;
    };
    const char* const names[] = {"", "a", "A", "[", "]", "=", "\x81", "\xff", " ", "\"", "s", "\x01"};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        size_t length = next() * (round % 7 + 1);
        for (size_t i = 0; i < length; ++i) {
            // Mostly the bytes that matter to the format, some of anything.
            static const char structural[] = "[]=\r\n \t\"';a\x81\x5d";
            unsigned r = next();
            bytes += r < 160 ? structural[r % (sizeof structural - 1)] : static_cast<char>(next());
        }
        IniDocument document(text(bytes));
        for (const char* section : names) {
            for (const char* key : names) {
                Text profile;
                Text whole;
                bool in_profile = document.find(section, key, IniMode::profile, profile);
                bool in_whole = document.find(section, key, IniMode::whole_values, whole);
                EXPECT_LE(profile.size(), 10239u);
                EXPECT_EQ(strlen(profile.c_str()), profile.size());
                EXPECT_EQ(strlen(whole.c_str()), whole.size());
                // Names without leading control bytes mean the same in both modes.
                if (section[0] > 0x20 && key[0] > 0x20) {
                    EXPECT_EQ(in_profile, in_whole);
                    EXPECT_TRUE(str(whole).compare(0, profile.size(), str(profile)) == 0);
                }
            }
        }
    }
    std::string every_byte;
    for (int i = 0; i < 4 * 256; ++i) every_byte += static_cast<char>(i & 0xFF);
    IniDocument document(text(every_byte));
    Text value;
    document.find("a", "a", IniMode::profile, value);
}

namespace {

// A file in a fresh temporary folder, removed with the folder.
class TempIni {
public:
    explicit TempIni(const std::string& content) {
        char pattern[] = "/tmp/tlq_ini_XXXXXX";
        folder_ = mkdtemp(pattern) ? pattern : "";
        path_ = folder_ + "/script.ini";
        FILE* f = fopen(path_.c_str(), "wb");
        if (f) {
            fwrite(content.data(), 1, content.size(), f);
            fclose(f);
        }
    }
    ~TempIni() {
        remove(path_.c_str());
        rmdir(folder_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

}  // namespace

TEST(ProfileRead, Table) {
    TempIni file("[info]\r\n当前命令数量=2\r\n[main]\r\n1=\"quoted\"\r\n2=" + letters(12000) + "\r\n");
    const std::string path = file.path();
    const std::string absent = path + ".absent";
    struct Case {
        const char* what;
        std::string file;
        std::string section;
        std::string key;
        std::string default_value;
        IniMode mode;
        std::string expected;
    } cases[] = {
        {"found", path, "info", "当前命令数量", "d", IniMode::profile, "2"},
        {"found, whole", path, "info", "当前命令数量", "d", IniMode::whole_values, "2"},
        {"quotes removed", path, "main", "1", "", IniMode::profile, "quoted"},
        {"cut in profile mode", path, "main", "2", "", IniMode::profile, letters(10239)},
        {"whole in whole_values mode", path, "main", "2", "", IniMode::whole_values, letters(12000)},
        {"missing key gives the default", path, "main", "3", "d", IniMode::profile, "d"},
        {"missing section gives the default", path, "none", "1", "d", IniMode::whole_values, "d"},
        {"missing file gives the default", absent, "main", "1", "d", IniMode::profile, "d"},
        {"empty path gives the empty text", "", "main", "1", "d", IniMode::profile, ""},
        {"control bytes before the path skipped", " \x01\t" + path, "main", "1", "d", IniMode::profile, "quoted"},
        {"path used unchanged in whole_values mode", " " + path, "main", "1", "d", IniMode::whole_values, "d"},
        {"empty section gives the empty text, not the default", path, " \x01", "1", "d", IniMode::profile, ""},
        {"empty key gives the empty text, not the default", path, "main", "", "d", IniMode::profile, ""},
        {"empty key in whole_values mode gives the default", path, "main", "", "d", IniMode::whole_values, "d"},
        {"default loses trailing spaces", path, "main", "9", "d  ", IniMode::profile, "d"},
        {"default of spaces keeps one", path, "main", "9", "   ", IniMode::profile, " "},
        {"default keeps a trailing tab", path, "main", "9", "d\t", IniMode::profile, "d\t"},
        {"default loses its quotes", absent, "main", "9", "\"d\"", IniMode::whole_values, "d"},
        {"long default cut in profile mode", path, "main", "9", letters(12000), IniMode::profile, letters(10239)},
        {"long default whole in whole_values mode", path, "main", "9", letters(12000), IniMode::whole_values,
         letters(12000)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(str(profile_read(text(c.file), text(c.section), text(c.key), text(c.default_value), c.mode)) ==
                    c.expected)
            << c.what;
    }
}

TEST(ProfileRead, DefaultArgumentsAreEmptyAndProfile) {
    TempIni file("[s]\r\nk=" + letters(11000) + "\r\n");
    EXPECT_EQ(str(profile_read(text(file.path()), "s", "k")), letters(10239));
    EXPECT_EQ(str(profile_read(text(file.path()), "s", "missing")), "");
}
