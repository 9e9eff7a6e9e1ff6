// Reduction of the on-line analysis page to result lines "label: value".
#pragma once

#include <string>

namespace quorvel {

// Markers and labels that the reduction looks for in the page.
inline constexpr const char* kLoginMarker = "Login for on-line services";
inline constexpr const char* kShortNameMarker = "Short name";
inline constexpr const char* kResultsMarker = "IMEI number analysis results";
inline constexpr const char* kCountryMarker = "Country of handset approval";
inline constexpr const char* kBreakDownMarker = "IMEI number break-down";
inline constexpr const char* kNotAvailable = "N/A";

struct ReducedPage {
    bool loginRequired = false;  // the page asks for a login; nothing else is read
    // The result lines, each "label: value" CR LF, followed by the country
    // line ("Country of handset approval: " code CR LF) when there is one.
    std::string lines;
    std::string manufacturer;  // values of the last entry with each label
    std::string modelType;
    std::string reference;
};

// Reduces the page. A page without the end marker of the result section, or
// with it before the start, has an empty section: only the country line can
// come from it.
ReducedPage ReducePage(const std::string& page);

// The text with every control byte (below 0x20, CR, LF and TAB among them,
// and 0x7F) turned into a space and the spaces at both ends removed: a NUL
// would cut the text short in the result box and in the user file.
std::string CleanPiece(const std::string& text);

}  // namespace quorvel
