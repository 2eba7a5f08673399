// What compile writes: the program name's verdicts, the padded name field,
// the patched launcher and the sealed code file.
#include "project_build.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "key_texts.h"
#include "script_template.h"
#include "sealed_file.h"

using namespace tlq;
using namespace tlq::tlqc;

namespace {

std::string str(const ByteString& b) { return std::string(b.data(), b.size()); }
Text text(const std::string& s) { return Text(s.data(), s.size()); }

struct NameCase {
    std::string name;
    NameVerdict verdict;
};

TEST(ProgramName, Verdicts) {
    const std::vector<NameCase> cases = {
        {"HelloWorld", NameVerdict::fits},
        {"Hello World", NameVerdict::fits},
        {"你好世界你好世界你好世界你好世界", NameVerdict::fits},  // 32 bytes
        {std::string(31, 'a'), NameVerdict::fits},
        {std::string(32, 'a'), NameVerdict::fits},
        {std::string(33, 'a'), NameVerdict::too_long},
        {"你好世界你好世界你好世界你好世界a", NameVerdict::too_long},
        {"", NameVerdict::empty},
        {"a\\b", NameVerdict::invalid},
        {"a/b", NameVerdict::invalid},
        {"a:b", NameVerdict::invalid},
        {"a*b", NameVerdict::invalid},
        {"a?b", NameVerdict::invalid},
        {"a\"b", NameVerdict::invalid},
        {"a<b", NameVerdict::invalid},
        {"a>b", NameVerdict::invalid},
        {"a|b", NameVerdict::invalid},
        {"a\tb", NameVerdict::invalid},
        {"CON", NameVerdict::invalid},
        {"nul.txt", NameVerdict::invalid},
        {"Com1", NameVerdict::invalid},
        {"CONSOLE", NameVerdict::fits},
        {"\x81\x5C", NameVerdict::fits},  // a trail byte 0x5C is no backslash
        {"\x81\x7C", NameVerdict::fits},  // nor 0x7C a bar
        {"ab\x81", NameVerdict::invalid},  // half a character at the end
        {std::string(40, 'a') + ":", NameVerdict::invalid},  // invalid wins over too long
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(check_program_name(text(c.name)).verdict, c.verdict) << "name: " << c.name;
    }
    EXPECT_EQ(str(check_program_name("a:b").reason), "it contains ':'");
}

TEST(ProgramName, ReadFromTheInfoSectionAsTheEditorReadsIt) {
    EXPECT_EQ(str(program_name_of(Bytes(kScriptTemplate))), "HelloWorld");
    EXPECT_EQ(str(program_name_of(Bytes("[INFO]\r\n程序名称 =  \"Hello World\"  "))), "Hello World");
    EXPECT_EQ(str(program_name_of(Bytes("[main]\r\n程序名称=x"))), "");
}

TEST(NameField, PaddedWithSpacesToThirtyTwoBytes) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"HelloWorld", "HelloWorld" + std::string(22, ' ')},
        {std::string(31, 'b'), std::string(31, 'b') + " "},
        {"你好世界你好世界你好世界你好世界", "你好世界你好世界你好世界你好世界"},
        {"", std::string(32, ' ')},
    };
    for (const auto& c : cases) {
        const Bytes field = name_field_for(text(c.first));
        EXPECT_EQ(field.size(), 32u);
        EXPECT_EQ(str(field), c.second);
    }
}

// An image stand-in: bytes before and after the placeholder, zeros included.
Bytes fake_image(int placeholders) {
    std::string image("MZ\0\0head", 8);
    for (int i = 0; i < placeholders; ++i) image += std::string("\\") + kNamePlaceholder + ".tlqcode" + '\0';
    image += std::string("tail\0\xff", 6);
    return text(image);
}

TEST(Launcher, NameWrittenOverThePlaceholderAndLengthKept) {
    const Bytes image = fake_image(1);
    ASSERT_EQ(placeholder_count(image), 1u);
    for (const std::string& name : {std::string("HelloWorld"), std::string(31, 'x'), std::string(32, 'y'),
                                   std::string("你好世界你好世界你好世界你好世界")}) {
        const Bytes launcher = launcher_for(image, text(name));
        ASSERT_EQ(launcher.size(), image.size()) << name;
        const std::string expected = str(image).replace(9, 32, str(name_field_for(text(name))));
        EXPECT_EQ(str(launcher), expected) << name;
        EXPECT_EQ(placeholder_count(launcher), name == kNamePlaceholder ? 1u : 0u);
    }
}

TEST(Launcher, RefusedForLongNamesAndUnsoundImages) {
    EXPECT_TRUE(launcher_for(fake_image(1), text(std::string(33, 'x'))).empty());
    EXPECT_TRUE(launcher_for(fake_image(0), "HelloWorld").empty());
    EXPECT_TRUE(launcher_for(fake_image(2), "HelloWorld").empty());
    EXPECT_EQ(placeholder_count(fake_image(2)), 2u);
}

TEST(CodeFile, UnsealsWithTheCodeKeyToTheExactText) {
    for (const std::string& script : {std::string(kScriptTemplate), std::string("x"),
                                     std::string(1000, 'z') + "信息框"}) {
        const Bytes code = code_file_content(text(script));
        EXPECT_EQ(code.size() % 8, 0u);
        EXPECT_EQ(str(unseal(code, kCodeKey)), script);
        EXPECT_TRUE(unseal(code, kFileKey).empty());
    }
}

}  // namespace
