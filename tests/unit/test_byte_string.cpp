#include "byte_string.h"
#include "text_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using tlq::ByteString;
using tlq::Text;
using tlq::TextList;

namespace {

std::string str(const ByteString& s) { return std::string(s.data(), s.size()); }

}  // namespace

TEST(ByteStringConstruction, EmptyValuesAreOneValue) {
    ByteString made;
    ByteString from_null(static_cast<const char*>(nullptr));
    ByteString from_empty("");
    ByteString from_zero_size("abc", 0);
    for (const ByteString* s : {&made, &from_null, &from_empty, &from_zero_size}) {
        EXPECT_TRUE(s->empty());
        EXPECT_EQ(s->size(), 0u);
        EXPECT_STREQ(s->c_str(), "");
        EXPECT_EQ(*s, made);
    }
}

TEST(ByteStringConstruction, KeepsZeroBytesAndStaysTerminated) {
    const char raw[] = {'A', '\0', 'B'};
    ByteString s(raw, sizeof raw);
    EXPECT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0], 'A');
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[2], 'B');
    EXPECT_EQ(s.c_str()[3], '\0');
    EXPECT_NE(s, ByteString("A"));
}

TEST(ByteStringConstruction, TextConstructorStopsAtZero) {
    ByteString s("信息框");  // GBK: six bytes
    EXPECT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0], 0xD0);
    EXPECT_EQ(s[5], 0xF2);
}

TEST(ByteStringCopyMove, CopiesAreIndependent) {
    ByteString a("hello");
    ByteString b(a);
    b.push_back('!');
    EXPECT_EQ(str(a), "hello");
    EXPECT_EQ(str(b), "hello!");
    ByteString c;
    c = a;
    a.clear();
    EXPECT_EQ(str(c), "hello");
}

TEST(ByteStringCopyMove, MoveLeavesSourceEmpty) {
    ByteString a("payload");
    ByteString b(std::move(a));
    EXPECT_EQ(str(b), "payload");
    EXPECT_TRUE(a.empty());  // NOLINT: moved-from state is specified
    ByteString c("old");
    c = std::move(b);
    EXPECT_EQ(str(c), "payload");
    EXPECT_TRUE(b.empty());  // NOLINT
}

TEST(ByteStringCopyMove, SelfAssignmentKeepsContents) {
    ByteString a("same");
    ByteString& alias = a;
    a = alias;
    EXPECT_EQ(str(a), "same");
    a = std::move(alias);
    EXPECT_EQ(str(a), "same");
}

TEST(ByteStringGrowth, AppendOfItselfSurvivesReallocation) {
    ByteString s("abc");
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(s.append(s));
    EXPECT_EQ(s.size(), 3u << 6);
    for (size_t i = 0; i < s.size(); ++i) ASSERT_EQ(s[i], "abc"[i % 3]) << i;
}

TEST(ByteStringGrowth, AppendOfOwnTailSurvivesReallocation) {
    ByteString s("0123456789");
    ASSERT_TRUE(s.append(s.data() + 5, 5));
    EXPECT_EQ(str(s), "012345678956789");
}

TEST(ByteStringGrowth, ResizeZeroFillsAndShrinks) {
    ByteString s("ab");
    ASSERT_TRUE(s.resize(5));
    EXPECT_EQ(s.size(), 5u);
    EXPECT_EQ(std::string(s.data(), 5), std::string("ab\0\0\0", 5));
    ASSERT_TRUE(s.resize(1));
    EXPECT_EQ(str(s), "a");
    EXPECT_EQ(s.c_str()[1], '\0');
}

TEST(ByteStringGrowth, ReserveKeepsContents) {
    ByteString s("xyz");
    ASSERT_TRUE(s.reserve(1000));
    EXPECT_EQ(str(s), "xyz");
    EXPECT_FALSE(s.reserve(static_cast<size_t>(-1)));
    EXPECT_TRUE(s.empty());
}

TEST(ByteStringGrowth, ClearEmptiesButStaysUsable) {
    ByteString s("text");
    s.clear();
    EXPECT_TRUE(s.empty());
    EXPECT_STREQ(s.c_str(), "");
    s.push_back('q');
    EXPECT_EQ(str(s), "q");
}

TEST(ByteStringParts, Substr) {
    const ByteString s("abcdef");
    struct Case {
        size_t pos, count;
        const char* expected;
    } cases[] = {
        {0, 3, "abc"}, {2, 100, "cdef"}, {5, 1, "f"}, {6, 1, ""}, {100, 1, ""}, {1, 0, ""},
        {0, static_cast<size_t>(-1), "abcdef"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str(s.substr(c.pos, c.count)), c.expected) << c.pos << "," << c.count;
    }
}

TEST(ByteStringParts, StartsWith) {
    const ByteString s("信息框 Hello");
    EXPECT_TRUE(s.starts_with("信息框"));
    EXPECT_TRUE(s.starts_with(""));
    EXPECT_TRUE(s.starts_with(s));
    EXPECT_FALSE(s.starts_with("信息框 Hello!"));
    EXPECT_FALSE(s.starts_with("Hello"));
}

TEST(ByteStringParts, EqualityIsByteForByteAndCaseMatters) {
    EXPECT_EQ(ByteString("Main"), ByteString("Main"));
    EXPECT_NE(ByteString("Main"), ByteString("main"));
    EXPECT_NE(ByteString("ab"), ByteString("abc"));
    EXPECT_NE(ByteString("a\0b", 3), ByteString("a\0c", 3));
}

TEST(ByteStringParts, ConcatenationJoinsBytes) {
    EXPECT_EQ(str(ByteString("ab") + ByteString("cd")), "abcd");
    EXPECT_EQ(str(ByteString() + ByteString("cd")), "cd");
    EXPECT_EQ(str(ByteString("a\0", 2) + ByteString("b")), std::string("a\0b", 3));
}

TEST(TextListBasics, KeepsOrderAcrossGrowth) {
    TextList list;
    EXPECT_TRUE(list.empty());
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(list.push_back(Text(std::to_string(i).c_str())));
    ASSERT_EQ(list.size(), 40u);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(str(list[i]), std::to_string(i));
}

TEST(TextListBasics, CopyAndMove) {
    TextList list;
    list.push_back("a");
    list.push_back("b");
    TextList copy(list);
    list.clear();
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_EQ(str(copy[1]), "b");
    TextList moved(std::move(copy));
    EXPECT_TRUE(copy.empty());  // NOLINT
    ASSERT_EQ(moved.size(), 2u);
    TextList assigned;
    assigned.push_back("x");
    assigned = moved;
    ASSERT_EQ(assigned.size(), 2u);
    EXPECT_EQ(str(assigned[0]), "a");
}

TEST(TextListBasics, PushingOwnElementWhileGrowing) {
    TextList list;
    for (int i = 0; i < 4; ++i) list.push_back("first");
    // The list is full: this push moves the items before copying the argument.
    ASSERT_TRUE(list.push_back(list[0]));
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(str(list[4]), "first");
}
