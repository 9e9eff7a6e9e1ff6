#include <gtest/gtest.h>

#include <filesystem>

#include "file_output.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

TEST(WriteFileBytes, ReplacesTheWholeFileOrLeavesTheEarlierOne) {
    const std::string folder = ::testing::TempDir() + "write-file-bytes";
    const std::string path = folder + "/out.bin";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& bytes :
         {std::string(), std::string("a\0\xFF\r\n", 5), std::string("b")}) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        EXPECT_EQ(test::ReadTestFile(path), bytes);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    }
    // No temporary file can be made: the earlier file stays whole.
    ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
    EXPECT_FALSE(WriteFileBytes(path, "later"));
    EXPECT_EQ(test::ReadTestFile(path), "b");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorvel
