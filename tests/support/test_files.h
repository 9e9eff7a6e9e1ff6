// Writing and reading files for tests, in both builds.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace quorvel::test {

// Creates or replaces the file at path with bytes; a failure fails the test.
inline void WriteTestFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size()) << path;
    ASSERT_EQ(std::fclose(file), 0) << path;
}

// The bytes of a whole file; nothing when it cannot be read.
inline std::optional<std::string> ReadTestFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A file name of the running test's own: CTest runs the tests of one fixture
// side by side, so tests that share a file name overwrite each other's files.
// Relative: in the working folder, the build's own, so that runs of other
// checkouts at the same time keep their files apart.
inline std::string PerTestFileName(const std::string& prefix, const std::string& suffix) {
    return prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
}

}  // namespace quorvel::test
