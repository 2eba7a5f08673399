#include "text_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace tlq;

namespace {

std::string str(const ByteString& s) { return std::string(s.data(), s.size()); }
Text text(const std::string& s) { return Text(s.data(), s.size()); }

// "信息框 Hello World!" in GBK: six bytes of command word, a space, the message.
const std::string kMessageLine = "信息框 Hello World!";

}  // namespace

TEST(ByteLength, CountsBytes) {
    EXPECT_EQ(byte_length(Text()), 0);
    EXPECT_EQ(byte_length("abc"), 3);
    EXPECT_EQ(byte_length("信息框"), 6);
    EXPECT_EQ(byte_length(text(kMessageLine)), 19);
}

TEST(LeftBytes, Table) {
    struct Case {
        std::string input;
        int32_t n;
        std::string expected;
    } cases[] = {
        {"abc", 6, "abc"},
        {"abc", 3, "abc"},
        {"abc", 2, "ab"},
        {"abc", 0, ""},
        {"abc", -1, ""},
        {"abc", std::numeric_limits<int32_t>::min(), ""},
        {"", 5, ""},
        {"信息", 1, "\xD0"},  // the lone lead byte of the first character
        {kMessageLine, 6, "信息框"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(left_bytes(text(c.input), c.n)), c.expected) << c.input << " / " << c.n;
    }
}

TEST(MidBytes, Table) {
    struct Case {
        std::string input;
        int32_t start, n;
        std::string expected;
    } cases[] = {
        {kMessageLine, 8, 99999, "Hello World!"},
        {"信息框", 8, 99999, ""},  // start past the end is no error
        {"信息框", 7, 99999, ""},
        {"abcdef", 1, 3, "abc"},
        {"abcdef", 6, 1, "f"},
        {"abcdef", 6, 100, "f"},
        {"abcdef", 3, 2, "cd"},
        {"abcdef", 0, 3, ""},
        {"abcdef", -2, 3, ""},
        {"abcdef", 2, 0, ""},
        {"abcdef", 2, -1, ""},
        {"abcdef", std::numeric_limits<int32_t>::max(), 1, ""},
        {"abcdef", 2, std::numeric_limits<int32_t>::max(), "bcdef"},
        {"", 1, 1, ""},
        {"置信息框标题 Hello", 14, 99999, "Hello"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(mid_bytes(text(c.input), c.start, c.n)), c.expected)
            << c.input << " / " << c.start << " / " << c.n;
    }
}

TEST(ReplaceAll, CaseSensitiveTable) {
    struct Case {
        std::string input, find, with, expected;
    } cases[] = {
        {"\"信息框 Hello World!\"", "\"", "", "信息框 Hello World!"},
        {"say \"hi\" now", "\"", "", "say hi now"},
        {"", "\"", "", ""},
        {"abc", "", "x", "abc"},
        {"aaa", "aa", "b", "ba"},  // matches do not overlap
        {"abab", "ab", "xyz", "xyzxyz"},
        {"Hello", "l", "L", "HeLLo"},
        {"Hello", "L", "x", "Hello"},  // letter case matters
        {"abc", "abcd", "", "abc"},    // find longer than the text
        // A lone byte of 0x80 or above at the very end disappears...
        {"ab\x81", "\"", "", "ab"},
        {"\xB0", "x", "", ""},
        // ...unless fewer bytes than find has are left when the scan reaches it.
        {"ab\x81", "xy", "", "ab\x81"},
        // A match never starts on a trail byte.
        {std::string("\x81\"\"", 3), "\"", "", "\x81\""},
        {"\xB0\x41" "A", "A", "-", "\xB0\x41-"},
        {"\x80\x22x", "\"", "", "\x80\x22x"},
        // A lead byte that begins a match is matched, not skipped.
        {"x信y", "信", "[]", "x[]y"},
        {"信息框信息框", "信息框", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(replace_all(text(c.input), text(c.find), text(c.with), true)), c.expected)
            << c.input << " / " << c.find;
    }
}

TEST(ReplaceAll, CaseInsensitiveFoldsAsciiLettersOnly) {
    EXPECT_EQ(str(replace_all("Hello HELLO", "hello", "x", false)), "x x");
    EXPECT_EQ(str(replace_all("Hello", "L", "_", false)), "He__o");
    EXPECT_EQ(str(replace_all("[@]", "`", "_", false)), "[@]");  // '@' and '`' differ by 0x20 but are no letters
    EXPECT_EQ(str(replace_all("Ab", "aB", "!", true)), "Ab");
}

TEST(ReplaceAll, DefaultIsCaseSensitive) {
    EXPECT_EQ(str(replace_all("Aa", "a", "")), "A");
}

TEST(Spaces, Table) {
    EXPECT_EQ(str(spaces(-5)), "");
    EXPECT_EQ(str(spaces(0)), "");
    EXPECT_EQ(str(spaces(1)), " ");
    EXPECT_EQ(str(spaces(22)), std::string(22, ' '));
}

TEST(ParseInt, Table) {
    struct Case {
        std::string input;
        int32_t expected;
    } cases[] = {
        {"2", 2},
        {" 12abc", 12},
        {"２", 2},      // full-width digit
        {"１２", 12},
        {"-7x", -7},
        {"", 0},
        {"abc", 0},
        {"+5", 5},
        {"\t\n\v\f\r 9", 9},
        {"- 5", 0},
        {"--5", 0},
        {"1 2", 1},
        {"\xA3\xAB" "５", 5},     // full-width plus sign
        {"－３", -3},             // full-width minus sign
        {"\xA1\xA1" "7", 7},      // ideographic space counts as white space
        {"　　４２", 42},
        {"7\xB0", 7},             // lead byte at the very end is dropped
        {"\xB0\x31", 0},          // a trail byte that looks like a digit stays part of its character
        {"\xA3\xA0" "1", 0},      // 0xA3 with a trail below 0xA1 is no full-width form
        {"\xA1\xAB", 0},          // becomes "~"
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"007", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(parse_int(text(c.input)), c.expected) << c.input;
}

TEST(ParseInt, WrapsAroundModulo2To32) {
    // Reference: the value reduced modulo 2^32 and read as a signed number.
    struct Case {
        std::string input;
        int64_t value;
    } cases[] = {
        {"4294967297", 4294967297LL},
        {"2147483648", 2147483648LL},
        {"99999999999", 99999999999LL},
        {"-4294967298", -4294967298LL},
    };
    for (const Case& c : cases) {
        uint32_t reduced = static_cast<uint32_t>(static_cast<uint64_t>(c.value));
        EXPECT_EQ(parse_int(text(c.input)), static_cast<int32_t>(reduced)) << c.input;
    }
    EXPECT_EQ(parse_int("4294967297"), 1);
}

TEST(IntToText, Table) {
    struct Case {
        int32_t value;
        const char* expected;
    } cases[] = {
        {0, "0"}, {1, "1"}, {-1, "-1"}, {214748364, "214748364"}, {1000, "1000"},
        {2147483647, "2147483647"}, {std::numeric_limits<int32_t>::min(), "-2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(str(int_to_text(c.value)), c.expected);
}

TEST(IntToText, RoundTripsThroughParseInt) {
    for (int64_t v = std::numeric_limits<int32_t>::min(); v <= std::numeric_limits<int32_t>::max();
         v += 65521 * 7) {
        int32_t value = static_cast<int32_t>(v);
        ASSERT_EQ(parse_int(int_to_text(value)), value);
        ASSERT_EQ(str(int_to_text(value)), std::to_string(value));
    }
}

TEST(TextBytes, Conversions) {
    EXPECT_TRUE(text_to_bytes(Text()).empty());
    EXPECT_EQ(str(text_to_bytes("信息")), "信息");
    EXPECT_EQ(str(bytes_to_text(Bytes("A\0B", 3))), "A");
    EXPECT_EQ(str(bytes_to_text(Bytes("\0B", 2))), "");
    EXPECT_EQ(str(bytes_to_text(Bytes("AB", 2))), "AB");
    EXPECT_TRUE(bytes_to_text(Bytes()).empty());
}

TEST(RemoveAllSpaces, Table) {
    struct Case {
        std::string input, expected;
    } cases[] = {
        {" a b ", "ab"},
        {"", ""},
        {"   ", ""},
        {"C:\\My Tools\\Hello World.tlqcode", "C:\\MyTools\\HelloWorld.tlqcode"},
        {"你　好", "你好"},                       // ideographic space
        {"HelloWorld" + std::string(22, ' ') + ".tlqcode", "HelloWorld.tlqcode"},
        {"\xB0\x20x", "\xB0\x20x"},              // a trail byte 0x20 is no space
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},        // B0 A1 is one character, A1 A1 the next
        {"ab\xB0", "ab"},                        // lead byte with nothing after it
        {"a\tb", "a\tb"},                        // only spaces go
    };
    for (const Case& c : cases) EXPECT_EQ(str(remove_all_spaces(text(c.input))), c.expected) << c.input;
}

TEST(ReplaceBytes, Table) {
    struct Case {
        std::string input, pattern, replacement, expected;
    } cases[] = {
        {"abcabc", "bc", "X", "aXaX"},
        {"aaaa", "aa", "b", "bb"},
        {"aaa", "aa", "b", "ba"},
        {"abc", "", "X", "abc"},
        {"ab", "abc", "X", "ab"},
        {"", "a", "X", ""},
        {std::string("\0\0x\0", 4), std::string("\0", 1), "-", "--x-"},
        {"head PLACE tail", "PLACE", "", "head  tail"},
        {"\x81\x22", "\x22", "", "\x81"},  // raw bytes: no character rules
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(replace_bytes(text(c.input), text(c.pattern), text(c.replacement))), c.expected);
    }
}
