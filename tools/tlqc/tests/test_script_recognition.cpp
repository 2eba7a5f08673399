// Inputs told apart by trying the keys: script files, code files, plain
// texts, and bytes that are none of these.
#include "script_recognition.h"

#include <gtest/gtest.h>

#include <string>

#include "key_texts.h"
#include "script_template.h"
#include "sealed_file.h"

using namespace tlq;
using namespace tlq::tlqc;

namespace {

std::string str(const ByteString& b) { return std::string(b.data(), b.size()); }

TEST(Recognition, SealedFilesByTheirKey) {
    const Bytes text(kScriptTemplate);
    const RecognisedScript script_file = recognise_script(seal(text, kFileKey));
    EXPECT_EQ(script_file.kind, ScriptKind::script_file);
    EXPECT_EQ(str(script_file.text), kScriptTemplate);
    const RecognisedScript code_file = recognise_script(seal(text, kCodeKey));
    EXPECT_EQ(code_file.kind, ScriptKind::code_file);
    EXPECT_EQ(str(code_file.text), kScriptTemplate);
}

TEST(Recognition, PlainTextsAsTheyAre) {
    for (const std::string& plain : {std::string(kScriptTemplate), std::string(""), std::string("12345678"),
                                    std::string("[info]\t\f\r\n")}) {
        const RecognisedScript got = recognise_script(Bytes(plain.data(), plain.size()));
        EXPECT_EQ(got.kind, ScriptKind::plain) << plain;
        EXPECT_EQ(str(got.text), plain);
    }
}

TEST(Recognition, ForeignSealedAndBinaryFilesAreNotScripts) {
    const Bytes foreign = seal(Bytes(kScriptTemplate), "some other key");
    EXPECT_EQ(recognise_script(foreign).kind, ScriptKind::unusable);
    EXPECT_TRUE(recognise_script(foreign).text.empty());
    EXPECT_EQ(recognise_script(Bytes("MZ\0\x90", 4)).kind, ScriptKind::unusable);
    // A control byte alone is no sign unless the length is whole blocks.
    EXPECT_EQ(recognise_script(Bytes("abc\x01", 4)).kind, ScriptKind::plain);
    EXPECT_EQ(recognise_script(Bytes("abcdefg\x01", 8)).kind, ScriptKind::unusable);
}

}  // namespace
