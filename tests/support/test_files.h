// Writing files for tests, in both builds.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace quorvel::test {

// Creates or replaces the file at path with bytes; a failure fails the test.
inline void WriteTestFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size()) << path;
    ASSERT_EQ(std::fclose(file), 0) << path;
}

}  // namespace quorvel::test
