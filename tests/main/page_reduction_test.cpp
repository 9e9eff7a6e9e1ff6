#include <gtest/gtest.h>

#include <string>

#include "main/page_reduction.h"
#include "support/analysis_page.h"

namespace quorvel {
namespace {

using test::Page;
using test::Row;

TEST(ReducePage, CellsBecomeLabelledLinesAndTheCountryLineFollows) {
    const std::string heading = "<h1>IMEI number analysis results</h1>";
    const std::string breakDown = "<h2>IMEI number break-down</h2>";
    struct Case {
        std::string page;
        std::string lines;
        std::string maker, model, reference;
    };
    const Case cases[] = {
        {Page(Row("Manufacturer", "Nokia") + Row("Model type", "6600") +
                  Row("Reference", "NHL-10") + Row("Frequency", "GSM 900"),
              Row("Short name", "FI") + Row("Name", "Finland")),
         "Manufacturer: Nokia\r\nModel type: 6600\r\nReference: NHL-10\r\nFrequency: GSM 900\r\n"
         "Country of handset approval: FI\r\n",
         "Nokia", "6600", "NHL-10"},
        // Breaks become spaces (CR LF two), "<BR>" in any case one; only spaces are trimmed.
        {Page(Row("Manufacturer", "\r\n  Nokia\tCorp  ") + Row("Model type", "66<br>00") +
              Row("Reference", "NHL<Br>-10<BR>x") + Row("Note", "a\r\nb\xA0")),
         "Manufacturer: Nokia Corp\r\nModel type: 66 00\r\nReference: NHL -10 x\r\nNote: a  "
         "b\xA0\r\n",
         "Nokia Corp", "66 00", "NHL -10 x"},
        // A blank piece does not end an entry; a label with ": " is one.
        {Page("<td>Manufacturer</td> \r\n\t <td>Nokia</td><p>Note: see</p>" +
              Row("Reference", "R")),
         "Manufacturer: Nokia\r\nNote: see\r\nReference: R\r\n", "Nokia", "", "R"},
        // A later entry overwrites; a pending label or trailing text is dropped.
        {heading + Row("Model type", "A") + Row("Model type", "B") +
             "<td>Reference</td><td>Dangling IMEI number break-down",
         "Model type: A\r\nModel type: B\r\n", "", "B", ""},
        {Page("", "<tr><td>Short name</td>\r\n<td> <b>\r\nDE </b></td></tr>"),
         "Country of handset approval: DE\r\n", "", "", ""},
        {Page("", Row("Name", "Germany")), "", "", "", ""},
        {"Short name</td><td>DE", "", "", "", ""},
        {"<td>Short name: GB</td>", "Country of handset approval: : GB\r\n", "", "", ""},
        // Without a country block the section ends at the break-down.
        {heading + Row("Manufacturer", "N") + breakDown + Row("TAC", "352099"),
         "Manufacturer: N\r\n", "N", "", ""},
        {heading + Row("Manufacturer", "N"), "", "", "", ""},
        {"", "", "", "", ""},
        // The country block before the heading: only the country line.
        {"<h2>Country of handset approval</h2>" + Row("Short name", "FI") + heading +
             Row("Manufacturer", "N"),
         "Country of handset approval: FI\r\n", "", "", ""},
        // Without the heading the first 27 characters are passed over.
        {"<td>Manufacturer</td><td>Nokia</td><td>Model type</td><td>6600</td>" + breakDown,
         "kia: Model type\r\n", "", "", ""},
    };
    for (const Case& c : cases) {
        const ReducedPage reduced = ReducePage(c.page);
        EXPECT_FALSE(reduced.loginRequired);
        EXPECT_EQ(reduced.lines, c.lines) << c.page;
        EXPECT_EQ(reduced.manufacturer + "|" + reduced.modelType + "|" + reduced.reference,
                  c.maker + "|" + c.model + "|" + c.reference)
            << c.page;
    }
}

TEST(ReducePage, ALoginPageGivesNothingElseEvenWithResults) {
    const ReducedPage reduced =
        ReducePage(Page(Row("Manufacturer", "Nokia")) + "<p>Login for on-line services</p>");
    EXPECT_TRUE(reduced.loginRequired);
    EXPECT_EQ(reduced.lines + reduced.manufacturer, "");
}

}  // namespace
}  // namespace quorvel
