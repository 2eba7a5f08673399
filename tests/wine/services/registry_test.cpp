// registry_write, read back live with the registry calls.
#include <gtest/gtest.h>

#include "driver.h"
#include "win/registry.h"

namespace tlq {
namespace test {
namespace {

const char test_key[] = "Software\\TlqScriptServiceTest";

struct Value {
    bool found = false;
    DWORD type = 0;
    std::string data;
};

Value read_value(HKEY root, const std::string& key, const char* name) {
    Value value;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return value;
    char buffer[4096];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) ==
        ERROR_SUCCESS) {
        value.found = true;
        value.data.assign(buffer, size);
    }
    RegCloseKey(opened);
    return value;
}

class Registry : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, test_key); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, test_key); }
    static std::string key(const std::string& sub) { return std::string(test_key) + sub; }
};

TEST_F(Registry, TextIsStoredAsStringWithItsTerminatingZero) {
    ASSERT_TRUE(registry_write(3, key("\\sub\\name").c_str(), Text("中文值")));
    const Value value = read_value(HKEY_CURRENT_USER, key("\\sub"), "name");
    ASSERT_TRUE(value.found);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, std::string("中文值", sizeof("中文值")));
}

TEST_F(Registry, NumberIsStoredAsDword) {
    ASSERT_TRUE(registry_write(3, key("\\number").c_str(), 0x12345678u));
    const Value value = read_value(HKEY_CURRENT_USER, key(""), "number");
    ASSERT_TRUE(value.found);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value.data, std::string("\x78\x56\x34\x12", 4));
}

TEST_F(Registry, BytesAreStoredRawIncludingZeros) {
    const std::string raw("\x01\x00\xff\x00", 4);
    ASSERT_TRUE(registry_write_binary(3, key("\\raw").c_str(), Bytes(raw.data(), raw.size())));
    const Value value = read_value(HKEY_CURRENT_USER, key(""), "raw");
    ASSERT_TRUE(value.found);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(value.data, raw);
}

TEST_F(Registry, TrailingSeparatorNamesTheDefaultValue) {
    ASSERT_TRUE(registry_write(3, key("\\.tqspt\\").c_str(), Text("tqsptfile")));
    const Value value = read_value(HKEY_CURRENT_USER, key("\\.tqspt"), nullptr);
    ASSERT_TRUE(value.found);
    EXPECT_EQ(value.data, std::string("tqsptfile", 10));
}

TEST_F(Registry, MissingKeysAreCreatedAndExistingOnesReused) {
    ASSERT_TRUE(registry_write(3, key("\\a\\b\\c\\first").c_str(), Text("1")));
    ASSERT_TRUE(registry_write(3, key("\\a\\b\\c\\second").c_str(), Text("2")));
    ASSERT_TRUE(registry_write(3, key("\\a\\b\\c\\first").c_str(), Text("overwritten")));
    EXPECT_EQ(read_value(HKEY_CURRENT_USER, key("\\a\\b\\c"), "first").data, std::string("overwritten", 12));
    EXPECT_EQ(read_value(HKEY_CURRENT_USER, key("\\a\\b\\c"), "second").data, std::string("2", 2));
}

// "瞈" is the GBK bytes 0xAF 0x5C: its trail byte is no separator.
TEST_F(Registry, SplitSkipsTrailBytesThatLookLikeSeparators) {
    ASSERT_TRUE(registry_write(3, key("\\键\\值瞈").c_str(), Text("v")));
    EXPECT_TRUE(read_value(HKEY_CURRENT_USER, key("\\键"), "值瞈").found);
    ASSERT_TRUE(registry_write(3, key("\\瞈\\name").c_str(), Text("w")));
    EXPECT_TRUE(read_value(HKEY_CURRENT_USER, key("\\瞈"), "name").found);
}

TEST_F(Registry, RootNumbersSelectTheirHives) {
    // 3 and unknown numbers mean the current user.
    const int user_numbers[] = {3, 0, 6, -1, 99};
    for (int root : user_numbers) {
        const std::string name = "root" + std::to_string(root);
        ASSERT_TRUE(registry_write(root, key("\\" + name).c_str(), Text("x"))) << root;
        EXPECT_TRUE(read_value(HKEY_CURRENT_USER, key(""), name.c_str()).found) << root;
    }
    struct Case {
        int root;
        HKEY hive;
    };
    const Case machine_cases[] = {{1, HKEY_CLASSES_ROOT}, {4, HKEY_LOCAL_MACHINE}};
    for (const Case& c : machine_cases) {
        SCOPED_TRACE(c.root);
        ASSERT_TRUE(registry_write(c.root, key("\\hive").c_str(), static_cast<uint32_t>(c.root)));
        const Value value = read_value(c.hive, key(""), "hive");
        EXPECT_TRUE(value.found);
        EXPECT_EQ(value.data, std::string(1, static_cast<char>(c.root)) + std::string(3, '\0'));
        RegDeleteTreeA(c.hive, test_key);
    }
}

TEST_F(Registry, PathWithoutSeparatorNamesAValueUnderTheRoot) {
    const char name[] = "TlqScriptServiceTestValue";
    ASSERT_TRUE(registry_write(3, name, Text("top")));
    const Value value = read_value(HKEY_CURRENT_USER, "", name);
    EXPECT_TRUE(value.found);
    RegDeleteValueA(HKEY_CURRENT_USER, name);
}

TEST_F(Registry, NotifyingTheShellDoesNotDisturbTheCaller) {
    notify_associations_changed();
    EXPECT_TRUE(registry_write(3, key("\\after").c_str(), Text("ok")));
}

}  // namespace
}  // namespace test
}  // namespace tlq
