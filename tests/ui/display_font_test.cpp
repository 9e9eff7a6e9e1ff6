#include <gtest/gtest.h>

#include <string>

#include "ui/display_font.h"

namespace quorvel {
namespace {

TEST(DisplayFontFile, IsNamedWithATrailingNoBreakSpaceInTheTemporaryFolder) {
    struct Case {
        const char* folder;
        const char* path;
    };
    const Case cases[] = {
        {"C:\\Temp\\", "C:\\Temp\\~DF9BA6Z.vwf\xA0"},
        {"C:\\Temp", "C:\\Temp\\~DF9BA6Z.vwf\xA0"},
        {"\\\\server\\share\\tmp\\", "\\\\server\\share\\tmp\\~DF9BA6Z.vwf\xA0"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayFontFilePath(c.folder), c.path) << "folder \"" << c.folder << "\"";
    }
    const std::string name = kDisplayFontFileName;
    ASSERT_EQ(name.size(), 13u);
    EXPECT_EQ(static_cast<unsigned char>(name.back()), 0xA0);
}

}  // namespace
}  // namespace quorvel
