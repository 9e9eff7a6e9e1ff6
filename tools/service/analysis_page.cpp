#include "service/analysis_page.h"

#include <array>
#include <optional>

#include "imei/imei.h"
#include "main/page_reduction.h"
#include "shared/text.h"

namespace quorvel {
namespace {

struct ApprovalCountry {
    const char* prefix;
    const char* code;
    const char* name;
};
constexpr std::array<ApprovalCountry, 9> kApprovalCountries = {{
    {"01", "US", "United States"},
    {"33", "FR", "France"},
    {"35", "GB", "United Kingdom"},
    {"44", "GB", "United Kingdom"},
    {"45", "DK", "Denmark"},
    {"49", "DE", "Germany"},
    {"50", "DE", "Germany"},
    {"51", "DE", "Germany"},
    {"52", "DE", "Germany"},
}};

const ApprovalCountry* FindApprovalCountry(const std::string& imei) {
    for (const ApprovalCountry& country : kApprovalCountries) {
        if (imei.compare(0, 2, country.prefix) == 0) return &country;
    }
    return nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A value as one cell holds it: on one line, each run of blanks, tabs and
// line breaks one space (the program would show a line break as two), none
// at either end, and "N/A" for an empty value, so that the cell is never
// skipped and the next label never taken for its value.
std::string CellText(const std::string& value) {
    std::string text;
    bool blankPending = false;
    for (char c : value) {
        if (IsBlank(c)) {
            blankPending = !text.empty();
            continue;
        }
        if (blankPending) text.push_back(' ');
        blankPending = false;
        if (c == '<') {
            text += "&lt;";
        } else if (c == '>') {
            text += "&gt;";
        } else {
            text.push_back(c);
        }
    }
    return text.empty() ? kNotAvailable : text;
}

std::string Row(const std::string& label, const std::string& value) {
    return "<tr><td>" + label + "</td><td>" + CellText(value) + "</td></tr>" + kCrLf;
}

std::string Document(const std::string& body) {
    return std::string("<html>") + kCrLf + "<head>" + kCrLf +
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">" +
           kCrLf + "<title>Quorvel on-line IMEI analysis</title>" + kCrLf + "</head>" + kCrLf +
           "<body>" + kCrLf + body + "</body>" + kCrLf + "</html>" + kCrLf;
}

std::string CheckDigitText(const std::string& imei) {
    const std::optional<std::string> expected = CheckDigit(imei);
    if (!expected) return kNotAvailable;
    const std::string given = imei.substr(kImeiLength - 1, 1);
    if (given == *expected) return given + " (correct)";
    return given + " (wrong, should be " + *expected + ")";
}

std::string BreakDown(const std::string& imei) {
    return std::string("<table>") + kCrLf +
           "<tr><th>TAC</th><th>FAC</th><th>SNR</th><th>Check digit</th></tr>" + kCrLf +
           "<tr><td>" + imei.substr(0, 6) + "</td><td>" + imei.substr(6, 2) + "</td><td>" +
           imei.substr(8, 6) + "</td><td>" + imei.substr(14, 1) + "</td></tr>" + kCrLf +
           "</table>" + kCrLf;
}

}  // namespace

std::string RenderAnalysisPage(const std::string& imei, const Handset* handset) {
    const Handset unknown;
    const Handset& shown = handset ? *handset : unknown;
    const std::string body = ApprovalBody(imei);
    const ApprovalCountry* country = FindApprovalCountry(imei);
    // The heading ends right at a tag: text after it in the same piece
    // would become a label of the results.
    return Document(
        "<p>IMEI " + CellText(imei) + "</p>" + kCrLf + "<h1>" + kResultsMarker + "</h1>" + kCrLf +
        "<table>" + kCrLf + Row("Manufacturer", shown.manufacturer) +
        Row("Model type", shown.modelType) + Row("Reference", shown.reference) +
        Row("Approval body", body == "unknown" ? std::string() : body) +
        Row("Check digit", CheckDigitText(imei)) + "</table>" + kCrLf + "<h2>" + kCountryMarker +
        "</h2>" + kCrLf + "<table>" + kCrLf + Row(kShortNameMarker, country ? country->code : "") +
        Row("Name", country ? country->name : "") + "</table>" + kCrLf + "<h2>" + kBreakDownMarker +
        "</h2>" + kCrLf + BreakDown(imei) +
        "<p>Handset data: Osmocom TAC database, CC-BY-SA 3.0, (c) Harald Welte 2016 and its "
        "contributors.</p>" +
        kCrLf);
}

std::string RenderLoginPage(const std::string& imei) {
    return Document(std::string("<h1>") + kLoginMarker + "</h1>" + kCrLf +
                    "<p>The analysis of IMEI " + CellText(imei) +
                    " is open to registered users only.</p>" + kCrLf +
                    "<form method=\"post\" action=\"/index.php?goto=login\">" + kCrLf +
                    "User name <input name=\"user\"> Password <input type=\"password\" "
                    "name=\"password\"> <input type=\"submit\" value=\"Log in\">" +
                    kCrLf + "</form>" + kCrLf);
}

std::string RenderErrorPage(int status, const std::string& reason) {
    const std::string title = std::to_string(status) + " " + reason;
    return Document("<h1>" + title + "</h1>" + kCrLf);
}

}  // namespace quorvel
