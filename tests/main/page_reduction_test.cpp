#include <gtest/gtest.h>

#include <string>

#include "main/page_reduction.h"
#include "support/analysis_page.h"

namespace quorvel {
namespace {

using test::Page;
using test::Row;

TEST(ReducePage, LabelAndValueCellsBecomeLines) {
    const ReducedPage reduced =
        ReducePage(Page(Row("Manufacturer", "Nokia") + Row("Model type", "6600") +
                            Row("Reference", "NHL-10") + Row("Frequency", "GSM 900"),
                        Row("Short name", "FI") + Row("Name", "Finland")));
    EXPECT_FALSE(reduced.loginRequired);
    EXPECT_EQ(reduced.lines,
              "Manufacturer: Nokia\r\nModel type: 6600\r\nReference: NHL-10\r\n"
              "Frequency: GSM 900\r\nCountry of handset approval: FI\r\n");
    EXPECT_EQ(reduced.manufacturer, "Nokia");
    EXPECT_EQ(reduced.modelType, "6600");
    EXPECT_EQ(reduced.reference, "NHL-10");
}

TEST(ReducePage, LoginPageGivesNothingElseEvenWithResults) {
    const ReducedPage reduced =
        ReducePage(Page(Row("Manufacturer", "Nokia")) + "<p>Login for on-line services</p>");
    EXPECT_TRUE(reduced.loginRequired);
    EXPECT_EQ(reduced.lines, "");
    EXPECT_EQ(reduced.manufacturer, "");
}

TEST(ReducePage, ValuesBrokenOverLinesOrByBreakTagsArriveAsOne) {
    const ReducedPage reduced =
        ReducePage(Page(Row("Manufacturer", "\r\n  Nokia\tCorp  ") + Row("Model type", "66<br>00") +
                        Row("Reference", "NHL<Br>-10<BR>x") + Row("Note", "a\r\nb")));
    EXPECT_EQ(reduced.manufacturer, "Nokia Corp");
    EXPECT_EQ(reduced.modelType, "66 00");
    EXPECT_EQ(reduced.reference, "NHL -10 x");
    EXPECT_NE(reduced.lines.find("Note: a  b\r\n"), std::string::npos) << "CR LF gives two spaces";
}

TEST(ReducePage, BlankPiecesAreSkippedAndDoNotEndAnEntry) {
    const ReducedPage reduced =
        ReducePage(Page("<tr><td>Manufacturer</td> \r\n\t <td>Nokia</td></tr>"));
    EXPECT_EQ(reduced.lines, "Manufacturer: Nokia\r\n");
}

TEST(ReducePage, ALabelContainingColonSpaceIsAnEntryOfItsOwn) {
    const ReducedPage reduced = ReducePage(Page("<p>Note: see below</p>" + Row("Model type", "X")));
    EXPECT_EQ(reduced.lines, "Note: see below\r\nModel type: X\r\n");
    EXPECT_EQ(reduced.modelType, "X");
}

TEST(ReducePage, LaterEntriesOverwriteEarlierValuesAndTrailingTextIsDropped) {
    const std::string section =
        Row("Manufacturer", "A") + Row("Manufacturer", "B") + "<td>Dangling";
    const ReducedPage reduced = ReducePage(Page(section));
    EXPECT_EQ(reduced.manufacturer, "B");
    EXPECT_EQ(reduced.lines, "Manufacturer: A\r\nManufacturer: B\r\n");
    // A pending label without its value at the end is not used.
    EXPECT_EQ(ReducePage(Page("<td>Manufacturer</td>")).lines, "");
}

TEST(ReducePage, CountryLineComesFromTheFirstTextAfterShortName) {
    EXPECT_EQ(
        ReducePage(Page("", "<tr><td>Short name</td>\r\n<td> <b>\r\nDE </b></td></tr>")).lines,
        "Country of handset approval: DE\r\n");
    EXPECT_EQ(ReducePage(Page("", Row("Name", "Germany"))).lines, "");
    // Text after "Short name" that never reaches a "<" gives no line.
    EXPECT_EQ(ReducePage("Short name</td><td>DE").lines, "");
    // The marker inside a cell: the rest of that cell is the first piece.
    EXPECT_EQ(ReducePage("<td>Short name: GB</td>").lines, "Country of handset approval: : GB\r\n");
}

TEST(ReducePage, SectionEndsAtTheCountryBlockOrElseAtTheBreakDown) {
    const std::string withoutCountry = "<h1>IMEI number analysis results</h1>" +
                                       Row("Manufacturer", "Nokia") +
                                       "<h2>IMEI number break-down</h2>" + Row("TAC", "352099");
    EXPECT_EQ(ReducePage(withoutCountry).lines, "Manufacturer: Nokia\r\n");
}

TEST(ReducePage, MissingOrMisplacedEndMarkerGivesAnEmptySection) {
    EXPECT_EQ(ReducePage("").lines, "");
    EXPECT_EQ(ReducePage("<h1>IMEI number analysis results</h1>" + Row("Manufacturer", "N")).lines,
              "");
    // The country block before the heading: only the country line is added.
    const std::string misplaced = "<h2>Country of handset approval</h2>" + Row("Short name", "FI") +
                                  "<h1>IMEI number analysis results</h1>" +
                                  Row("Manufacturer", "Nokia");
    const ReducedPage reduced = ReducePage(misplaced);
    EXPECT_EQ(reduced.lines, "Country of handset approval: FI\r\n");
    EXPECT_EQ(reduced.manufacturer, "");
}

TEST(ReducePage, WithoutTheHeadingTheSectionStartsAtTheTwentyEighthCharacter) {
    // 27 characters are passed over ("<td>Manufacturer</td><td>No"), so the
    // rest of the first value becomes the label of the next entry.
    const std::string page =
        "<td>Manufacturer</td><td>Nokia</td><td>Model type</td><td>6600</td>"
        "<h2>IMEI number break-down</h2>";
    EXPECT_EQ(ReducePage(page).lines, "kia: Model type\r\n");
}

TEST(CleanPiece, TurnsBreaksIntoSpacesAndTrimsOnlySpaces) {
    EXPECT_EQ(CleanPiece("\r\n a \t b \r\n"), "a   b");
    EXPECT_EQ(CleanPiece(" \t\r\n "), "");
    EXPECT_EQ(CleanPiece("\xA0x\xA0"), "\xA0x\xA0");
}

}  // namespace
}  // namespace quorvel
