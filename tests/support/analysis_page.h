// Pages of the on-line analysis service as the page reduction reads them.
#pragma once

#include <string>

namespace quorvel::test {

inline std::string Row(const std::string& label, const std::string& value) {
    return "<tr><td>" + label + "</td><td>" + value + "</td></tr>";
}

// The results table's rows, then the country table's rows.
inline std::string Page(const std::string& results, const std::string& country = "") {
    return "<html><body><h1>IMEI number analysis results</h1><table>" + results +
           "</table><h2>Country of handset approval</h2><table>" + country +
           "</table><h2>IMEI number break-down</h2></body></html>";
}

// The page of a handset approved in Great Britain.
inline std::string Page(const std::string& manufacturer, const std::string& model,
                        const std::string& reference) {
    return Page(
        Row("Manufacturer", manufacturer) + Row("Model type", model) + Row("Reference", reference),
        Row("Short name", "GB"));
}

}  // namespace quorvel::test
