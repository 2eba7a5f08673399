// Whole-file services at their edges, on the real Windows file calls.
#include <gtest/gtest.h>

#include "driver.h"
#include "file_services.h"

namespace tlq {
namespace test {
namespace {

Bytes bytes_of(const std::string& s) { return Bytes(s.data(), s.size()); }
std::string string_of(const Bytes& b) { return std::string(b.c_str(), b.size()); }

class FileServices : public testing::Test {
protected:
    ScratchFolder folder;
    std::string at(const std::string& name) const { return folder / name; }
};

TEST_F(FileServices, WriteThenReadGivesTheSameBytesIncludingZeros) {
    const std::string content("A\0B\xff\r\n\xD0\xC5", 8);
    ASSERT_TRUE(write_whole_file(at("data.bin").c_str(), bytes_of(content)));
    EXPECT_EQ(read_file(at("data.bin")), content);
    EXPECT_EQ(string_of(read_whole_file(at("data.bin").c_str())), content);
}

TEST_F(FileServices, TwoPartsAreWrittenOneAfterTheOther) {
    ASSERT_TRUE(write_whole_file(at("two.bin").c_str(), bytes_of("head"), bytes_of(std::string("\0tail", 5))));
    EXPECT_EQ(read_file(at("two.bin")), std::string("head\0tail", 9));
}

TEST_F(FileServices, WritingTruncatesALongerFile) {
    write_file(at("t.txt"), "a much longer old content");
    ASSERT_TRUE(write_whole_file(at("t.txt").c_str(), bytes_of("new")));
    EXPECT_EQ(read_file(at("t.txt")), "new");
}

TEST_F(FileServices, ZeroByteFileIsWrittenAndReadsEmpty) {
    ASSERT_TRUE(write_whole_file(at("empty.txt").c_str(), Bytes()));
    EXPECT_TRUE(file_exists(at("empty.txt")));
    EXPECT_EQ(read_file(at("empty.txt")), "");
    EXPECT_TRUE(read_whole_file(at("empty.txt").c_str()).empty());
}

TEST_F(FileServices, WriteIntoAMissingFolderFailsAndCreatesNothing) {
    const std::string missing = at("no_such_folder");
    EXPECT_FALSE(write_whole_file((missing + "\\x.txt").c_str(), bytes_of("x")));
    EXPECT_FALSE(write_whole_file((missing + "\\x.txt").c_str(), bytes_of("x"), bytes_of("y")));
    EXPECT_FALSE(replace_file_safely((missing + "\\x.txt").c_str(), bytes_of("x")));
    EXPECT_FALSE(file_exists(missing));
    EXPECT_FALSE(write_whole_file("", bytes_of("x")));
}

TEST_F(FileServices, ReadGivesEmptyForEverythingThatIsNoReadableFile) {
    CreateDirectoryA(at("sub").c_str(), nullptr);
    const std::string cases[] = {"", at("missing.txt"), at("sub"), at("*"), at("sub\\missing\\x")};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(read_whole_file(path.c_str()).empty());
        EXPECT_TRUE(read_whole_file(path.c_str(), ShareMode::read_write).empty());
    }
}

// The temporary folder path ends in "\" and callers append "\name":
// doubled separators must work for every operation.
TEST_F(FileServices, DoubledSeparatorsAreAccepted) {
    const std::string sub = folder.path() + "\\\\sub";
    ASSERT_TRUE(make_directory(sub.c_str()));
    const std::string file = sub + "\\\\file.txt";
    ASSERT_TRUE(write_whole_file(file.c_str(), bytes_of("doubled")));
    EXPECT_EQ(read_file(at("sub\\file.txt")), "doubled");
    EXPECT_EQ(string_of(read_whole_file(file.c_str())), "doubled");
    EXPECT_TRUE(file_exists(file));
    ASSERT_TRUE(replace_file_safely(file.c_str(), bytes_of("again")));
    EXPECT_EQ(read_file(at("sub\\file.txt")), "again");
    EXPECT_TRUE(remove_file(file.c_str()));
    EXPECT_FALSE(file_exists(at("sub\\file.txt")));
}

TEST_F(FileServices, ChineseNamesWork) {
    const std::string file = at("临时文件.tmp");
    ASSERT_TRUE(write_whole_file(file.c_str(), bytes_of("中文")));
    EXPECT_EQ(string_of(read_whole_file(file.c_str())), "中文");
    EXPECT_TRUE(file_exists(file));
}

// read_only lets others only read meanwhile; read_write also tolerates a
// writer that has the file open.
TEST_F(FileServices, ShareModeDecidesWhetherAnOpenWriterIsTolerated) {
    write_file(at("shared.txt"), "shared");
    HANDLE writer = CreateFileA(at("shared.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(read_whole_file(at("shared.txt").c_str(), ShareMode::read_only).empty());
    EXPECT_EQ(string_of(read_whole_file(at("shared.txt").c_str(), ShareMode::read_write)), "shared");
    CloseHandle(writer);

    HANDLE reader = CreateFileA(at("shared.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(string_of(read_whole_file(at("shared.txt").c_str())), "shared");
    CloseHandle(reader);
}

TEST_F(FileServices, WriteFailsWhileAnotherHandleDeniesSharing) {
    write_file(at("locked.txt"), "locked");
    HANDLE holder = CreateFileA(at("locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(write_whole_file(at("locked.txt").c_str(), bytes_of("new")));
    CloseHandle(holder);
    EXPECT_EQ(read_file(at("locked.txt")), "locked");
}

TEST_F(FileServices, FilesLargerThanTwoGibibytesReadAsEmpty) {
    HANDLE file = CreateFileA(at("huge.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 0x80000001LL;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_TRUE(read_whole_file(at("huge.bin").c_str()).empty());
    DeleteFileA(at("huge.bin").c_str());
}

TEST_F(FileServices, RemoveAndMakeDirectoryReportTheirOutcome) {
    write_file(at("gone.txt"), "x");
    EXPECT_TRUE(remove_file(at("gone.txt").c_str()));
    EXPECT_FALSE(file_exists(at("gone.txt")));
    EXPECT_FALSE(remove_file(at("gone.txt").c_str()));
    EXPECT_FALSE(remove_file(""));
    EXPECT_TRUE(make_directory(at("made").c_str()));
    EXPECT_FALSE(make_directory(at("made").c_str()));
    EXPECT_FALSE(make_directory(at("a\\b\\c").c_str())) << "parents are not created";
    EXPECT_FALSE(make_directory(""));
}

TEST_F(FileServices, FileExistsTestsTheExactPath) {
    write_file(at("here.txt"), "x");
    CreateDirectoryA(at("folder").c_str(), nullptr);
    struct Case {
        std::string path;
        bool exists;
    };
    const Case cases[] = {{at("here.txt"), true}, {at("folder"), true},     {at("HERE.TXT"), true},
                          {at("here"), false},    {at("here.*"), false},    {at("*"), false},
                          {"", false},            {at("missing"), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(file_exists(c.path.c_str()), c.exists);
    }
}

TEST_F(FileServices, ReplaceSafelyReplacesAndLeavesNoSideFile) {
    write_file(at("doc.tqspt"), "old content");
    ASSERT_TRUE(replace_file_safely(at("doc.tqspt").c_str(), bytes_of("new")));
    EXPECT_EQ(read_file(at("doc.tqspt")), "new");
    EXPECT_FALSE(file_exists(at("doc.tqspt.tlqnew")));
    ASSERT_TRUE(replace_file_safely(at("fresh.tqspt").c_str(), bytes_of("first")));
    EXPECT_EQ(read_file(at("fresh.tqspt")), "first");
    EXPECT_FALSE(replace_file_safely("", bytes_of("x")));
}

TEST_F(FileServices, ReplaceSafelyKeepsTheOldFileWhenTheTargetCannotBeReplaced) {
    write_file(at("kept.tqspt"), "old content");
    // A reader that shares neither writing nor deleting pins the target.
    HANDLE holder = CreateFileA(at("kept.tqspt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(replace_file_safely(at("kept.tqspt").c_str(), bytes_of("new")));
    CloseHandle(holder);
    EXPECT_EQ(read_file(at("kept.tqspt")), "old content");
    EXPECT_FALSE(file_exists(at("kept.tqspt.tlqnew")));
}

TEST_F(FileServices, ReplaceSafelyKeepsTheOldFileWhenTheNewOneCannotBeWritten) {
    write_file(at("kept.tqspt"), "old content");
    CreateDirectoryA(at("kept.tqspt.tlqnew").c_str(), nullptr);  // blocks the side file
    EXPECT_FALSE(replace_file_safely(at("kept.tqspt").c_str(), bytes_of("new")));
    EXPECT_EQ(read_file(at("kept.tqspt")), "old content");
}

}  // namespace
}  // namespace test
}  // namespace tlq
