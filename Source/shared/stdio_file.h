// The owner of a C runtime file: closes it with fclose.
#pragma once

#include <cstdio>
#include <memory>

namespace quorvel {

struct StdioFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueStdioFile = std::unique_ptr<std::FILE, StdioFileCloser>;

}  // namespace quorvel
