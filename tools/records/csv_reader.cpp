#include "records/csv_reader.h"

#include <stdexcept>

namespace quorvel {

std::vector<CsvRow> ReadCsv(const std::string& text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    std::size_t line = 1;
    std::size_t at = 0;
    const auto endField = [&] { row.push_back(std::move(field)), field.clear(); };
    const auto endRow = [&] { endField(), rows.push_back(std::move(row)), row.clear(); };
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"' && field.empty()) {
            const std::size_t openedOn = line;
            for (++at;; ++at) {
                if (at >= text.size()) {
                    throw std::runtime_error("line " + std::to_string(openedOn) +
                                             ": a quoted field is not closed");
                }
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        field.push_back('"'), ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (text[at] == '\n') ++line;
                field.push_back(text[at]);
            }
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\n' || (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            if (c == '\r') ++at;
            endRow();
            ++line;
        } else {
            field.push_back(c);
        }
        ++at;
    }
    if (!field.empty() || !row.empty()) endRow();
    return rows;
}

}  // namespace quorvel
