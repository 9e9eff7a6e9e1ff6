#include <gtest/gtest.h>

#include "main/result_text.h"

namespace quorvel {
namespace {

TEST(LocalResultText, KnownHandsetLineByLine) {
    EXPECT_EQ(
        LocalResultText("35-209900-176148-1", std::nullopt, "Nokia|6600|NHL-10", "352099"),
        "Input IMEI: 35-209900-176148-1\r\n"
        "\r\n"
        "[Local information]\r\n"
        "Manufacturer: Nokia\r\n"
        "Model type: 6600\r\n"
        "Reference: NHL-10\r\n"
        "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n");
}

TEST(LocalResultText, CorrectionAddsTheValidImeiLine) {
    EXPECT_EQ(
        LocalResultText("352099001761482", std::string("352099001761481"), "A|B|C", "352099"),
        "Input IMEI: 352099001761482\r\n"
        "Valid IMEI: 352099001761481\r\n"
        "\r\n"
        "[Local information]\r\n"
        "Manufacturer: A\r\nModel type: B\r\nReference: C\r\n"
        "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n");
}

TEST(LocalResultText, UnknownHandsetShowsUnknownNotNotAvailable) {
    const std::string text =
        LocalResultText("490154203237518", std::nullopt, kUnknownLookupResult, "490154");
    EXPECT_NE(text.find("Manufacturer: unknown\r\nModel type: unknown\r\nReference: unknown\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Issued by: RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation "
                        "und Post)\r\n"),
              std::string::npos);
}

TEST(LocalResultText, EmptyMissingAndExtraFields) {
    const std::string tail = "Issued by: unknown\r\n";
    const std::string head = "Input IMEI: x\r\n\r\n[Local information]\r\n";
    EXPECT_EQ(LocalResultText("x", std::nullopt, "||", "990000"),
              head + "Manufacturer: N/A\r\nModel type: N/A\r\nReference: N/A\r\n" + tail);
    EXPECT_EQ(LocalResultText("x", std::nullopt, "Maker", "990000"),
              head + "Manufacturer: Maker\r\n" + tail);
    EXPECT_EQ(LocalResultText("x", std::nullopt, "A||C|D|E", "990000"),
              head + "Manufacturer: A\r\nModel type: N/A\r\nReference: C\r\n" + tail);
    EXPECT_EQ(LocalResultText("x", std::nullopt, "", "990000"), head + tail);
}

}  // namespace
}  // namespace quorvel
