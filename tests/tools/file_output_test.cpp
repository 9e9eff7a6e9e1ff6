#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "file_output.h"
#include "imei/handset_database.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

class WriteFileBytesTest : public ::testing::Test {
protected:
    WriteFileBytesTest()
        : folder_(::testing::TempDir() + test::PerTestFileName("write-file-bytes-", "")),
          path_(folder_ + "/out.bin") {
        ::mkdir(folder_.c_str(), 0700);
    }
    ~WriteFileBytesTest() override {
        std::remove((path_ + ".tmp").c_str());
        std::remove(path_.c_str());  // a file or an empty folder
        std::remove(folder_.c_str());
    }

    bool Exists(const std::string& path) const {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0;
    }

    const std::string folder_;
    const std::string path_;
};

TEST_F(WriteFileBytesTest, CreatesOrReplacesTheWholeFile) {
    const std::string everyByte = [] {
        std::string bytes;
        for (int c = 0; c < 256; ++c) bytes.push_back(static_cast<char>(c));
        return bytes;
    }();
    for (const std::string& bytes : {everyByte, std::string("shorter"), std::string()}) {
        ASSERT_TRUE(WriteFileBytes(path_, bytes));
        EXPECT_EQ(ReadFileBytes(path_), bytes);
        EXPECT_FALSE(Exists(path_ + ".tmp")) << "the temporary file is left";
    }
}

TEST_F(WriteFileBytesTest, AFailureLeavesNothingHalfWritten) {
    // A folder where the file should go: the temporary file is written, but
    // cannot take the folder's place.
    ASSERT_EQ(::mkdir(path_.c_str(), 0700), 0);
    EXPECT_FALSE(WriteFileBytes(path_, "bytes"));
    EXPECT_FALSE(Exists(path_ + ".tmp"));
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode)) << "the folder in the way is kept";

    // No temporary file can be made: the file already there stays whole.
    ASSERT_EQ(std::remove(path_.c_str()), 0);
    ASSERT_TRUE(WriteFileBytes(path_, "earlier"));
    ASSERT_EQ(::mkdir((path_ + ".tmp").c_str(), 0700), 0);
    EXPECT_FALSE(WriteFileBytes(path_, "later"));
    EXPECT_EQ(ReadFileBytes(path_), "earlier");

    // A folder that does not exist: nothing can be written at all.
    const std::string nowhere = folder_ + "/missing/out.bin";
    EXPECT_FALSE(WriteFileBytes(nowhere, "bytes"));
    EXPECT_FALSE(Exists(nowhere));
}

}  // namespace
}  // namespace quorvel
