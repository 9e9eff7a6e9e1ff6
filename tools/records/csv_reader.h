// Reading comma-separated text with RFC 4180 quoting.
#pragma once

#include <string>
#include <vector>

namespace quorvel {

using CsvRow = std::vector<std::string>;

// The rows of text. Rows end with CR LF or LF; a field in double quotes may
// hold commas, line ends and doubled quotes. A quote inside an unquoted field
// is kept as it is. Throws std::runtime_error, naming the line, when a quoted
// field is not closed.
std::vector<CsvRow> ReadCsv(const std::string& text);

}  // namespace quorvel
