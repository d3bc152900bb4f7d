#include "report/record_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/files.h"
#include "report/file_utils.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    std::tie(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec) =
        std::tuple(year - 1900, month - 1, day, hour, minute, second);
    return t;
}

class RecordFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::unsetenv("QUORIN_RECORD_FILE");
        ::unsetenv("QUORIN_PROGRAM_DIR");
    }
    test::TempDir dir_{"record"};
    const std::string path_ = dir_.file("ZelvatRecord.txt");
};

TEST_F(RecordFileTest, RecordsAreAppendedWithTheTimeToAnExistingFileOnly) {
    EXPECT_FALSE(AppendRecord(path_, "abc", At(2012, 3, 7, 9, 5, 3)));
    EXPECT_FALSE(fs::exists(path_));
    ASSERT_TRUE(WriteFileAtomic(path_, ""));
    ASSERT_TRUE(AppendRecord(path_, "abc", At(2012, 3, 7, 9, 5, 3)));
    ASSERT_TRUE(AppendRecord(path_, "test ended", At(2012, 3, 7, 23, 59, 0)));
    EXPECT_EQ(test::FileBytes(path_), "\r\n09:05:03\r\nabc\r\n\r\n23:59:00\r\ntest ended\r\n");
}

TEST_F(RecordFileTest, EnvironmentChoosesTheFile) {
    ::setenv("QUORIN_RECORD_FILE", path_.c_str(), 1);
    EXPECT_EQ(RecordFilePath(), path_);
    AppendRecord("now");
    EXPECT_FALSE(fs::exists(path_));
    ASSERT_TRUE(WriteFileAtomic(path_, "old"));
    AppendRecord("now");
    std::string text = test::FileBytes(path_);
    ASSERT_EQ(text.size(), std::string("old\r\nhh:mm:ss\r\nnow\r\n").size());
    EXPECT_EQ(text.replace(5, 2, "hh").replace(8, 2, "mm").replace(11, 2, "ss"),
              "old\r\nhh:mm:ss\r\nnow\r\n");
    ::unsetenv("QUORIN_RECORD_FILE");
    ::setenv("QUORIN_PROGRAM_DIR", "/opt/quorin/lib", 1);
    EXPECT_EQ(RecordFilePath(), "/opt/quorin/lib/ZelvatRecord.txt");
}

TEST(DateTexts, NoLeadingZeros) {
    EXPECT_EQ(DateTimeText(At(2012, 3, 7, 9, 5, 0)), "2012-3-7 9:5");
    EXPECT_EQ(DateText(At(2012, 3, 7, 9, 5, 0)), "2012-3-7");
    EXPECT_EQ(DateTimeText(At(1999, 12, 31, 23, 59, 59)), "1999-12-31 23:59");
    const std::string today = DateText();
    EXPECT_EQ(DateTimeText().substr(0, today.size()), today);
}

TEST(FileUtils, TextFilesEndAtTheFirstNulAndFoldersAreMadeAtEveryLevel) {
    test::TempDir dir("files");
    const std::string path = dir.file("t.txt");
    ASSERT_TRUE(WriteTextFile(path, std::string("ab\0cd", 5)));
    std::string text = "stale", none = "stale";
    ASSERT_TRUE(ReadTextFile(path, text));
    EXPECT_FALSE(ReadTextFile(dir.file("none"), none));
    EXPECT_EQ(std::pair(text, none), std::pair(std::string("ab"), std::string()));
    EXPECT_FALSE(WriteTextFile(dir.file("no/t.txt"), "x"));

    const std::string deep = dir.file("a/b/c");
    EXPECT_TRUE(CreateFolderPath(deep) && fs::is_directory(deep) && CreateFolderPath(deep + "/"));
    EXPECT_FALSE(CreateFolderPath(path + "/sub") || CreateFolderPath(""));
}

TEST(FileUtils, DeleteFolderNeverFollowsLinks) {
    test::TempDir dir("delete");
    const fs::path outside = dir.file("outside"), tree = dir.file("tree");
    fs::create_directories(outside);
    ASSERT_TRUE(WriteFileAtomic((outside / "keep.txt").string(), "keep"));
    fs::create_directories(tree / "sub" / "deeper");
    ASSERT_TRUE(WriteFileAtomic((tree / "sub" / "deeper" / "f").string(), "f"));
    fs::create_directory_symlink(outside, tree / "sub" / "link");
    fs::create_symlink(outside / "keep.txt", tree / "filelink");
    EXPECT_TRUE(DeleteFolder(tree.string()));
    EXPECT_FALSE(fs::exists(tree));
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));
    fs::create_directory_symlink(outside, dir.file("top-link"));
    EXPECT_TRUE(DeleteFolder(dir.file("top-link")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.file("top-link"))));
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));
    EXPECT_FALSE(DeleteFolder(dir.file("missing")));
}

}  // namespace
}  // namespace quorin
