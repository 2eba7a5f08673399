// Every INI text of the tables below is written to a fresh file and read
// both with GetPrivateProfileStringA and with our reader (IniDocument and
// profile_read), in both modes; the answers must be equal byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "file_services.h"
#include "ini_reader.h"

namespace {

using tlq::IniMode;

template <size_t N>
std::string B(const char (&literal)[N]) {
    return std::string(literal, N - 1);  // keeps zero bytes
}

std::string repeat(const std::string& unit, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += unit;
    return out;
}

std::string letters(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += static_cast<char>('a' + i % 26);
    return out;
}

std::string escaped(const std::string& s) {
    std::string out;
    size_t shown = s.size() > 120 ? 120 : s.size();
    for (size_t i = 0; i < shown; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (shown < s.size()) out += "...(" + std::to_string(s.size()) + " bytes)";
    return out;
}

// Equal byte for byte; on a difference, both texts and where they part.
::testing::AssertionResult same_text(const std::string& ours, const std::string& platform) {
    if (ours == platform) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < ours.size() && at < platform.size() && ours[at] == platform[at]) ++at;
    return ::testing::AssertionFailure() << "ours \"" << escaped(ours) << "\" (" << ours.size() << " bytes), platform \""
                                         << escaped(platform) << "\" (" << platform.size() << " bytes), first difference at "
                                         << at;
}

tlq::Text T(const std::string& s) { return tlq::Text(s.data(), s.size()); }
std::string S(const tlq::Text& t) { return std::string(t.c_str(), t.size()); }

// A fresh file per text: the platform reader caches files by name.
class IniFile {
public:
    explicit IniFile(const std::string& content) {
        static int counter = 0;
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        path_ = std::string(folder) + "tlq_ini_diff_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter) + ".ini";
        HANDLE h = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (h != INVALID_HANDLE_VALUE) {
            if (!content.empty()) WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            CloseHandle(h);
        }
        ok_ = h != INVALID_HANDLE_VALUE && written == content.size();
    }
    ~IniFile() { DeleteFileA(path_.c_str()); }
    const std::string& path() const { return path_; }
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

std::string skip_leading_controls(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && s[i] >= 0x01 && s[i] <= 0x20) ++i;
    return s.substr(i);
}

// What profile_read must answer: leading 0x01-0x20 skipped, then the
// platform reader with a buffer of 10,240 bytes.
std::string platform_profile(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& default_value) {
    std::string p = skip_leading_controls(path);
    std::string s = skip_leading_controls(section);
    std::string k = skip_leading_controls(key);
    if (p.empty() || s.empty() || k.empty()) return std::string();
    std::vector<char> buffer(10240, 0);
    GetPrivateProfileStringA(s.c_str(), k.c_str(), default_value.c_str(), buffer.data(), 10240, p.c_str());
    return std::string(buffer.data());
}

// The code launcher's variant: names unchanged, the buffer grown from 1024
// bytes while the answer may have been cut.
std::string platform_whole(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& default_value) {
    DWORD size = 1024;
    for (;;) {
        std::vector<char> buffer(size, 0);
        DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(), buffer.data(), size,
                                             path.c_str());
        if (got != size - 1) return std::string(buffer.data());
        size = got + 1024;
    }
}

std::string ours_found(const tlq::IniDocument& document, const std::string& section, const std::string& key,
                       IniMode mode) {
    tlq::Text value;
    return document.find(T(section), T(key), mode, value) ? S(value) : std::string("(not found)");
}

struct Query {
    std::string section;
    std::string key;
};

struct IniCase {
    const char* name;
    std::string text;
    std::vector<Query> queries;
};

// Compares all four answers for one text and one query.
void expect_same_answers(const IniCase& c, const Query& q) {
    IniFile file(c.text);
    ASSERT_TRUE(file.ok()) << file.path();
    tlq::IniDocument document(T(c.text));
    const char* missing = "(not found)";
    struct Mode {
        IniMode mode;
        const char* name;
        std::string platform;
    } modes[] = {
        {IniMode::profile, "profile", platform_profile(file.path(), q.section, q.key, missing)},
        {IniMode::whole_values, "whole_values", platform_whole(file.path(), q.section, q.key, missing)},
    };
    for (const Mode& m : modes) {
        std::string where = std::string(c.name) + ": [" + escaped(q.section) + "] " + escaped(q.key) + " (" + m.name + ")";
        std::string read = S(tlq::profile_read(T(file.path()), T(q.section), T(q.key), missing, m.mode));
        EXPECT_TRUE(same_text(read, m.platform)) << "profile_read, " << where << "\n  text: " << escaped(c.text);
        // find() has no default and sees the names of an empty query too.
        std::string expected = m.platform;
        bool skipped = m.mode == IniMode::profile &&
                       (skip_leading_controls(q.section).empty() || skip_leading_controls(q.key).empty());
        if (skipped) expected = missing;
        std::string found = ours_found(document, q.section, q.key, m.mode);
        EXPECT_TRUE(same_text(found, expected)) << "IniDocument::find, " << where << "\n  text: " << escaped(c.text);
    }
}

const std::vector<IniCase>& cases() {
    static const std::vector<IniCase> table = {
        {"plain", "[s]\r\nk=v\r\n", {{"s", "k"}, {"S", "K"}, {"s", "x"}, {"x", "k"}, {"s", "v"}}},
        {"template",
         "[info]\r\n当前命令数量=2\r\n子程序的名字=main\r\n程序名称=HelloWorld\r\n[main]\r\n1=置信息框标题 "
         "Hello\r\n2=信息框 Hello World!",
         {{"info", "当前命令数量"},
          {"INFO", "子程序的名字"},
          {"info", "程序名称"},
          {"main", "1"},
          {"Main", "2"},
          {"main", "02"},
          {"main", "3"},
          {"info", "1"}}},
        {"comments",
         "[s]\r\n;k=c\r\nk=v\r\n; note\r\n#x=1\r\n;[t]\r\nj=w\r\n",
         {{"s", "k"}, {"s", ";k"}, {"s", "; note"}, {"s", "#x"}, {"s", "j"}, {";[t]", "j"}}},
        {"duplicate keys", "[s]\r\nk=1\r\nK=2\r\nk=3\r\nj=\r\nj=4\r\n", {{"s", "k"}, {"s", "j"}}},
        {"duplicate sections",
         "[s]\r\na=1\r\n[t]\r\nb=2\r\n[S]\r\na=3\r\nc=4\r\n[t]\r\nb=5\r\n",
         {{"s", "a"}, {"s", "c"}, {"t", "b"}, {"S", "c"}}},
        {"lines without =",
         "[s]\r\nk\r\nk=v\r\nplain words here\r\nj = \r\n",
         {{"s", "k"}, {"s", "plain words here"}, {"s", "plain"}, {"s", "j"}}},
        {"before the first section",
         "a=1\r\nb\r\n[s]\r\nk=v\r\n[]\r\nc=2\r\n[ ]\r\nd=3\r\n",
         {{"", "a"}, {" ", "a"}, {"\t", "b"}, {"s", "a"}, {"", "c"}, {"", "d"}, {"", "k"}}},
        {"empty section only", "[]\r\nk=v\r\n", {{"", "k"}, {"s", "k"}}},
        {"bare LF", "[s]\nk=v\nj=w", {{"s", "k"}, {"s", "j"}}},
        {"bare CR", "[s]\rk=v\rj=w\r", {{"s", "k"}, {"s", "j"}}},
        {"mixed line ends", "[s]\n\rk=v\r\r\nj=w\n\n[t]\r\ni=x", {{"s", "k"}, {"s", "j"}, {"t", "i"}}},
        {"quotes",
         "[s]\r\nk1=\"v\"\r\nk2='v'\r\nk3=\"v'\r\nk4=\"v\r\nk5=\"\r\nk6=\"\"\r\nk7=\" a \"\r\nk8=a\"b\"c\r\n"
         "k9=\"a\"b\"\r\nk10='\"'\r\nk11=\"'\"\r\nk12= \"x\"\r\nk13=\"x\"  \t\r\nk14=''''\r\nk15=\"\"\"\r\n"
         "k16=v\"\r\nk17='\r\nk18=\" \"\r\nk19=\"a\" \"b\"\r\n",
         {{"s", "k1"}, {"s", "k2"}, {"s", "k3"}, {"s", "k4"}, {"s", "k5"}, {"s", "k6"}, {"s", "k7"}, {"s", "k8"},
          {"s", "k9"}, {"s", "k10"}, {"s", "k11"}, {"s", "k12"}, {"s", "k13"}, {"s", "k14"}, {"s", "k15"},
          {"s", "k16"}, {"s", "k17"}, {"s", "k18"}, {"s", "k19"}}},
        {"quoted GBK", "[s]\r\n键=\"值 \"\r\n", {{"s", "键"}}},
        {"spaces and tabs",
         "[s]\r\n \t k \t = \t v w \t \r\na b=1\r\n\tc\t=\t2\t\r\n",
         {{"s", "k"}, {"s", "a b"}, {"s", "a  b"}, {"s", " a b "}, {"s", "c"}, {" s\t", "\tk "}}},
        {"case",
         "[SeCtIoN]\r\nKeY=v\r\n[Ａ]\r\nＢ=w\r\n",
         {{"section", "key"}, {"SECTION", "KEY"}, {"ａ", "Ｂ"}, {"Ａ", "ｂ"}, {"Ａ", "Ｂ"}}},
        {"control bytes in names",
         B("[\x01s]\r\n\x01k=v\r\n[s]\r\nk=w\r\n\x1fj=x\r\n"),
         {{"\x01s", "k"},
          {"\x01s", "\x01k"},
          {"s", "\x01\x02k"},
          {" \ts", " k"},
          {"\x1fs", "\x1fj"},
          {"s\x01", "k"},
          {"s ", "k\t"},
          {"s\x1a", "k\x0b"},
          {"\x01", "k"},
          {"s", "\x20\x01"}}},
        {"other blanks",
         B("\x0b[s]\r\n\x0c k \x1a=\x1a v \x0b\x0c\r\nj=\x1c v\x1f\r\n  \r\n\x1a\r\ni=\x7fv\x7f\r\n"),
         {{"s", "k"}, {"s", "j"}, {"s", "i"}}},
        {"GBK names",
         "[节]\r\n键=值\r\n[癩]\r\n癆=1\r\n癮=2\r\n[s癩]\r\nk=3\r\n",
         {{"节", "键"}, {"节 ", " 键"}, {"癩", "癆"}, {"癩", "癮"}, {"s癩", "k"}, {"癩", "k"}}},
        {"trail byte is a bracket", "[s癩\r\nk=v\r\n[t]]\r\nj=w\r\n", {{"s癩", "k"}, {"", "k"}, {"t]", "j"}}},
        {"ideographic space", "[s]\r\n　k　=　值　\r\n", {{"s", "k"}, {"s", "　k　"}}},
        {"empty values",
         "[s]\r\nk1=\r\nk2= \r\nk3=\t\r\nk4=\"\"\r\nk5=''\r\n",
         {{"s", "k1"}, {"s", "k2"}, {"s", "k3"}, {"s", "k4"}, {"s", "k5"}}},
        {"values with =",
         "[s]\r\nk=a=b\r\nj===\r\n=x\r\n = y\r\n[a=b]\r\nc=d=e\r\n",
         {{"s", "k"}, {"s", "j"}, {"s", ""}, {"s", " "}, {"a=b", "c"}, {"a", "b]"}}},
        {"header shapes",
         "  [a]\r\na=1\r\n\t[b]\r\nb=2\r\n[ c ]\r\nc=3\r\n[d] tail\r\nd=4\r\n[e]x]\r\ne=5\r\n[f\r\nf=6\r\n[g]h=7\r\n"
         "[[i]]\r\ni=8\r\n",
         {{"a", "a"},
          {"b", "b"},
          {"c", "c"},
          {" c ", "c"},
          {"d", "d"},
          {"e]x", "e"},
          {"e", "e"},
          {"[f", "f"},
          {"e]x", "f"},
          {"g", "h"},
          {"[i]", "i"},
          {"i", "i"}}},
        {"zero bytes",
         B("[s]\r\nk=v\0w\r\nj\0z=x\r\ni \0 =y\r\nh=\" \0\"\r\n[t\0u]\r\ng=z\r\n"),
         {{"s", "k"}, {"s", "j"}, {"s", "j\x01z"}, {"s", "i"}, {"s", "h"}, {"t", "g"}, {"t\x01u", "g"}}},
        {"broken GBK",
         B("[s]\r\nk=a\x81\r\nj=b\r\ni\x81=c\r\nh=d\x81\x22\r\ng=\x80\xff\x81\x7f\r\nf=e\x81\x30z\r\n"
           "e\x81\x30=1\r\nd=x\x81"),
         {{"s", "k"},
          {"s", "j"},
          {"s", "i\x81"},
          {"s", "i?"},
          {"s", "h"},
          {"s", "g"},
          {"s", "f"},
          {"s", "e?"},
          {"s", "e\x81 "},
          {"s", "d"},
          {"s\x81", "j"},
          {"s", "j\x81"},
          {"s", "j\x81\x81"}}},
        {"broken GBK in a header", B("[s\x81]\r\nk=v\r\n[t\x81]]\r\nj=w\r\n"), {{"", "k"}, {"t\x81]", "j"}}},
        {"UTF-8 byte-order mark", B("\xEF\xBB\xBF[s]\r\nk=v\r\n"), {{"s", "k"}}},
        {"empty file", "", {{"s", "k"}, {"", ""}}},
        {"section only", "[s]", {{"s", "k"}, {"s", ""}}},
        {"no line end", "[s]\r\nk=\"v\"", {{"s", "k"}}},
        {"20000-byte value",
         "[s]\r\nk=" + letters(20000) + "\r\nq=\"" + letters(20000) + "\"\r\n",
         {{"s", "k"}, {"s", "q"}}},
        {"20000-byte GBK value", "[s]\r\nk=" + repeat("值", 10000) + "\r\n", {{"s", "k"}}},
        {"value at the cut",
         "[s]\r\na=" + letters(10238) + "\r\nb=" + letters(10239) + "\r\nc=" + letters(10240) + "\r\nd=" +
             letters(10238) + "值\r\ne=" + letters(10237) + "值\r\nf=" + letters(100) + repeat("值", 6000) +
             "\r\ng=\"" + letters(10238) + "\"\r\nh=\"" + letters(10240) + "\"\r\n",
         {{"s", "a"}, {"s", "b"}, {"s", "c"}, {"s", "d"}, {"s", "e"}, {"s", "f"}, {"s", "g"}, {"s", "h"}}},
        {"values around the code launcher's buffer steps",
         "[s]\r\na=" + letters(1022) + "\r\nb=" + letters(1023) + "\r\nc=" + letters(1024) + "\r\nd=" +
             letters(2046) + "\r\ne=" + repeat("值", 600) + "\r\nf=\"" + letters(1021) + "\"\r\n",
         {{"s", "a"}, {"s", "b"}, {"s", "c"}, {"s", "d"}, {"s", "e"}, {"s", "f"}}},
    };
    return table;
}

class IniDifferential : public ::testing::TestWithParam<size_t> {};

TEST_P(IniDifferential, AnswersLikeThePlatformReader) {
    const IniCase& c = cases()[GetParam()];
    for (const Query& q : c.queries) expect_same_answers(c, q);
}

INSTANTIATE_TEST_SUITE_P(Table, IniDifferential, ::testing::Range<size_t>(0, cases().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             std::string name;
                             for (const char* p = cases()[info.param].name; *p; ++p)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name + "_" + std::to_string(info.param);
                         });

// Texts built from the bytes that matter to the format, in random order.
TEST(IniDifferentialRandom, AnswersLikeThePlatformReaderOnRandomTexts) {
    static const char* const pieces[] = {"[", "]",  "=",    "\r",   "\n", " ",    "\t",   "\"", "'",  "a",
                                         "A", "b",  "\x81", "\x5d", ";",  "\x1a", "\x01", "值", "\0", "\xff"};
    const size_t piece_count = sizeof pieces / sizeof pieces[0];
    unsigned state = 12345;
    auto next = [&state](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    const Query queries[] = {{"a", "a"}, {"a", "b"}, {"A", "ab"}, {"", "a"}, {"b", "a"}, {"a", ""}, {"a]", "a"}};
    for (int round = 0; round < 150; ++round) {
        IniCase c{"random", std::string(), {}};
        size_t length = next(60);
        for (size_t i = 0; i < length; ++i) {
            size_t p = next(piece_count);
            c.text += p == 18 ? std::string(1, '\0') : std::string(pieces[p]);
        }
        c.queries.push_back(queries[next(sizeof queries / sizeof queries[0])]);
        c.queries.push_back(queries[next(sizeof queries / sizeof queries[0])]);
        SCOPED_TRACE("round " + std::to_string(round));
        for (const Query& q : c.queries) expect_same_answers(c, q);
    }
}

// The default answer passes the platform's steps too: trailing spaces go,
// an enclosing pair of quotes goes, and it is cut like a value.
TEST(IniDifferentialDefaults, DefaultAnswerLikeThePlatformReader) {
    const std::string defaults[] = {"d", "d  ", "   ", " d", "\"d\"", "'d'", "d\t", "\"d\" ", "", letters(12000)};
    IniFile present("[s]\r\nk=v\r\n");
    std::string absent = present.path() + ".absent";
    for (const std::string& d : defaults) {
        for (const std::string& path : {present.path(), absent}) {
            SCOPED_TRACE("default " + escaped(d) + " in " + path);
            EXPECT_TRUE(same_text(S(tlq::profile_read(T(path), "s", "j", T(d), IniMode::profile)),
                                  platform_profile(path, "s", "j", d)));
            EXPECT_TRUE(same_text(S(tlq::profile_read(T(path), "s", "j", T(d), IniMode::whole_values)),
                                  platform_whole(path, "s", "j", d)));
        }
    }
}

// Where the platform reader loses the last character of a quoted value
// whose length reaches its buffer exactly; ours keeps the value whole.
TEST(IniDifferentialPlatformQuirk, QuotedValueFillingTheBufferKeepsItsLastByte) {
    struct Edge {
        size_t content;
        IniMode mode;
    } edges[] = {{10239, IniMode::profile}, {1023, IniMode::whole_values}, {2046, IniMode::whole_values}};
    for (const Edge& e : edges) {
        std::string content = letters(e.content);
        IniFile file("[s]\r\nk=\"" + content + "\"\r\n");
        std::string platform = e.mode == IniMode::profile ? platform_profile(file.path(), "s", "k", "")
                                                          : platform_whole(file.path(), "s", "k", "");
        EXPECT_TRUE(same_text(S(tlq::profile_read(T(file.path()), "s", "k", "", e.mode)), content));
        EXPECT_TRUE(same_text(content.substr(0, content.size() - 1), platform))
            << "the platform reader changed at " << e.content << " bytes";
    }
}

}  // namespace
