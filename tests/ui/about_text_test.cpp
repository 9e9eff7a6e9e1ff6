#include <gtest/gtest.h>

#include <string>

#include "imei/handset_database.h"
#include "ui/about_text.h"

namespace quorvel {
namespace {

const std::string kLead =
    "Ph\xC7n m\xD2m gi\xB6i m\xBA th\xA4ng tin t\xF4 s\xE7 IMEI, phi\xA3n b\xB6n ";

TEST(AboutText, VersionCreditContactAndDataCreditOnTheirOwnLines) {
    struct Case {
        ProgramVersion version;
        std::string contact;
        std::string versionText;
    };
    const Case cases[] = {
        {{1, 2, 0}, "Contact: quorvel@example.org", "1.2.0"},
        {{10, 0, 305}, "x", "10.0.305"},  // decimal, no leading zeros
        {{0, 0, 0}, "", "0.0.0"},
        {{65535, 65535, 65535},
         "a\xB6"
         "b",
         "65535.65535.65535"},
    };
    for (const Case& c : cases) {
        const std::string expected = kLead + c.versionText + "\r\n\r\n" + kAboutCreditLine +
                                     "\r\n" + c.contact + "\r\n" + kHandsetDataCredit;
        EXPECT_EQ(AboutText(c.version, c.contact), expected) << c.versionText;
    }
}

}  // namespace
}  // namespace quorvel
