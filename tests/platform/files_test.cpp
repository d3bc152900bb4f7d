#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    test::TempDir scratch_{"files"};
    fs::path dir_ = scratch_.path();
};

TEST_F(FilesTest, WriteThenReadKeepsEveryByteAndARewriteThePermissionBits) {
    const std::string path = (dir_ / "a.bin").string();
    const std::string bytes("x\0y\r\n\xB2\xE2", 7);
    ASSERT_TRUE(WriteFileAtomic(path, bytes));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, bytes);
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomic(path, "short"));
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "short");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// A failed write leaves the old file and no temporary file behind.
TEST_F(FilesTest, FailedWritesLeaveTheOldFileAndReadsOfMissingFilesFail) {
    const std::string path = (dir_ / "keep.txt").string();
    ASSERT_TRUE(WriteFileAtomic(path, "old"));
    EXPECT_FALSE(test::UnderFileSizeLimit(
        4, [&] { return WriteFileAtomic(path, "a much longer new content"); }));
    EXPECT_FALSE(WriteFileAtomic((dir_ / "no" / "such.txt").string(), "x"));
    std::string out = "stale";
    EXPECT_FALSE(ReadFileBytes((dir_ / "missing").string(), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(ReadFileBytes(dir_.string(), out));
    ASSERT_TRUE(ReadFileBytes(path, out));
    EXPECT_EQ(out, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Whatever the file is, the cap holds, and nothing grows without bound.
TEST_F(FilesTest, CappedReadsStopAtTheLimitWhateverTheFileIs) {
    const std::string ten = (dir_ / "ten").string(), fifo = (dir_ / "fifo").string();
    ASSERT_TRUE(WriteFileAtomic(ten, "0123456789"));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        size_t limit;
        ReadStatus status;
        long size;  // -1: some
    } cases[] = {
        {ten, 10, ReadStatus::kRead, 10},
        {ten, 9, ReadStatus::kTooLarge, 0},
        {"/dev/zero", 100000, ReadStatus::kTooLarge, 0},
        {"/proc/self/status", 1 << 20, ReadStatus::kRead, -1},  // a size of 0, yet text
        {fifo, 100, ReadStatus::kTooLarge, 0},                  // 200 bytes come in
        {fifo, 300, ReadStatus::kRead, 200},
        {dir_.string(), 10, ReadStatus::kCannotOpen, 0},
    };
    for (const auto& c : cases) {
        std::thread writer;
        if (c.path == fifo)
            writer = std::thread([&] { std::ofstream(fifo) << std::string(200, 'f'); });
        std::string out = "stale";
        EXPECT_EQ(ReadFileLimited(c.path, out, c.limit), c.status) << c.path << " " << c.limit;
        if (c.size >= 0) {
            EXPECT_EQ(out.size(), static_cast<size_t>(c.size)) << c.path;
        } else {
            EXPECT_FALSE(out.empty()) << c.path;
        }
        if (writer.joinable()) writer.join();
    }
}

TEST(ProgramFolder, EndsWithSlashAndHonoursOverride) {
    const std::string own = ProgramFolder();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '/');
    setenv("QUORIN_PROGRAM_DIR", "/opt/q", 1);
    EXPECT_EQ(ProgramFolder(), "/opt/q/");
    unsetenv("QUORIN_PROGRAM_DIR");
}

}  // namespace
}  // namespace quorin
