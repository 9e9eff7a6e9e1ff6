#include "tacdb_csv.h"

#include <algorithm>
#include <optional>

#include "imei/imei.h"
#include "shared/text.h"

namespace quorvel {
namespace {

std::string Trimmed(const std::string& text) { return TrimSpaces(text, " \t"); }

bool IsTac(const std::string& text) { return text.size() == kTacLength && IsAsciiDigits(text); }

// Column positions of the handset texts, found by their names: the first
// "name" is the maker, the second the model.
struct Columns {
    std::size_t tac, maker, model, aka;
    std::size_t needed() const { return std::max({tac, maker, model, aka}) + 1; }
};

std::optional<Columns> FindColumns(const CsvRecord& names) {
    constexpr std::size_t kMissing = static_cast<std::size_t>(-1);
    Columns columns{kMissing, kMissing, kMissing, kMissing};
    for (std::size_t i = 0; i < names.fields.size(); ++i) {
        const std::string name = Trimmed(names.fields[i]);
        if (name == "tac" && columns.tac == kMissing) columns.tac = i;
        if (name == "aka" && columns.aka == kMissing) columns.aka = i;
        if (name == "name" && columns.maker == kMissing) {
            columns.maker = i;
        } else if (name == "name" && columns.model == kMissing) {
            columns.model = i;
        }
    }
    if (columns.tac == kMissing || columns.maker == kMissing || columns.model == kMissing ||
        columns.aka == kMissing) {
        return std::nullopt;
    }
    return columns;
}

bool IsBlankRecord(const CsvRecord& record) {
    return record.fields.size() == 1 && Trimmed(record.fields[0]).empty();
}

}  // namespace

CsvError::CsvError(std::size_t line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

std::vector<CsvRecord> ParseCsv(const std::string& text) {
    std::vector<CsvRecord> records;
    std::size_t line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        CsvRecord record{line, {}};
        bool recordEnded = false;
        while (!recordEnded) {
            std::string field;
            if (at < text.size() && text[at] == '"') {
                const std::size_t opened = line;
                for (++at;; ++at) {
                    if (at >= text.size()) throw CsvError(opened, "a quoted field is not closed");
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field.push_back('"');
                            ++at;
                            continue;
                        }
                        ++at;
                        break;
                    }
                    if (text[at] == '\n') ++line;
                    field.push_back(text[at]);
                }
            } else {
                // An unquoted field runs to the next comma or line end; a
                // quote inside it is kept as it is.
                while (at < text.size() && text[at] != ',' && text[at] != '\n' &&
                       !(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
                    field.push_back(text[at++]);
                }
            }
            record.fields.push_back(std::move(field));
            if (at >= text.size()) {
                recordEnded = true;
            } else if (text[at] == ',') {
                ++at;
            } else if (text[at] == '\n' || text.compare(at, 2, "\r\n") == 0) {
                at += text[at] == '\r' ? std::size_t{2} : std::size_t{1};
                ++line;
                recordEnded = true;
            } else {
                throw CsvError(line, "a quoted field is followed by more text");
            }
        }
        records.push_back(std::move(record));
    }
    return records;
}

TacDatabase ReadTacDatabase(const std::string& csvText) {
    const std::vector<CsvRecord> records = ParseCsv(csvText);
    std::size_t first = 0;
    std::optional<Columns> columns;
    while (first < records.size() && !columns) columns = FindColumns(records[first++]);
    if (!columns) {
        const auto lastLine =
            static_cast<std::size_t>(std::count(csvText.begin(), csvText.end(), '\n')) + 1;
        throw CsvError(lastLine, "the text ends before the column names tac, name, name and aka");
    }
    TacDatabase database;
    for (std::size_t i = first; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        if (IsBlankRecord(record)) continue;
        if (record.fields.size() < columns->needed() ||
            !IsTac(Trimmed(record.fields[columns->tac]))) {
            database.skippedLines.push_back(record.line);
            continue;
        }
        database.records.push_back({Trimmed(record.fields[columns->tac]),
                                    record.fields[columns->maker], record.fields[columns->model],
                                    record.fields[columns->aka]});
    }
    return database;
}

ModelCodeList ReadModelCodeList(const std::string& csvText) {
    constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
    const std::vector<CsvRecord> records =
        ParseCsv(csvText.rfind(kByteOrderMark, 0) == 0 ? csvText.substr(3) : csvText);
    std::size_t first = 0;
    while (first < records.size() && Trimmed(records[first].fields[0]) != "tac") ++first;
    if (first == records.size()) {
        throw CsvError(records.empty() ? 1 : records.back().line,
                       "no header line starting with tac");
    }
    ModelCodeList list;
    for (std::size_t i = first + 1; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        if (IsBlankRecord(record)) continue;
        ModelCodeRow row{Trimmed(record.fields[0]), {}};
        for (std::size_t k = 1; k < record.fields.size(); ++k) {
            const std::string code = Trimmed(record.fields[k]);
            if (!code.empty()) row.codes.push_back(code);
        }
        if (!IsTac(row.tac) || row.codes.empty()) {
            list.skippedLines.push_back(record.line);
            continue;
        }
        list.rows.push_back(std::move(row));
    }
    return list;
}

std::string FirstAlias(const std::string& aka) { return Trimmed(aka.substr(0, aka.find(','))); }

}  // namespace quorvel
