#include "imei/handset_database.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "imei/imei.h"
#include "imei/scramble.h"

namespace quorvel {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::optional<std::string> LookupBuiltIn(const std::string& tac, const std::string& records) {
    // Scrambling drops what is not printable: such a TAC would shrink and
    // match the tail of another record's TAC.
    if (!IsPrintableText(tac)) return std::nullopt;
    const std::string key = ScrambleText(kTacKey, tac) + kTacMarker;
    const std::string::size_type position = records.find(key);
    if (position == std::string::npos) return std::nullopt;
    return BuiltInResultAt(records, position);
}

std::optional<std::string> LookupUserFile(const std::string& tac, const std::string& fileText) {
    for (const std::string& line : UserFileLines(fileText)) {
        if (line.compare(0, tac.size(), tac) == 0) return UserLineResult(line);
    }
    return std::nullopt;
}

}  // namespace

FileHandsetSources::FileHandsetSources(std::optional<std::string> builtInRecords,
                                       std::string userFilePath)
    : builtInRecords_(std::move(builtInRecords)), userFilePath_(std::move(userFilePath)) {}

std::optional<std::string> FileHandsetSources::BuiltInRecords() { return builtInRecords_; }

std::optional<std::string> FileHandsetSources::UserFile() { return ReadFileBytes(userFilePath_); }

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, count);
    }
    // A folder opens on some systems and fails only when read.
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

std::string LookupTac(const std::string& tac, HandsetSources& sources) {
    try {
        if (tac.size() != kTacLength) return kUnknownLookupResult;
        if (std::optional<std::string> records = sources.BuiltInRecords()) {
            if (auto found = LookupBuiltIn(tac, *records)) return *found;
        }
        if (std::optional<std::string> userFile = sources.UserFile()) {
            if (auto found = LookupUserFile(tac, *userFile)) return *found;
        }
        return kUnknownLookupResult;
    } catch (...) {
        // A source that fails (out of memory, a port that throws) is a
        // source that cannot be read: the TAC is then unknown.
        return kUnknownLookupResult;
    }
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

std::vector<std::string> SplitLookupResult(const std::string& result) {
    if (result.empty()) return {};
    return SplitText(result, "|");
}

std::string EncodeBuiltInRecord(const std::string& tac, const std::string& fields) {
    return ScrambleText(kTacKey, tac) + kTacMarker + ScrambleText(kBodyKey, fields) + kBodyMarker;
}

std::string BuiltInResultAt(const std::string& records, std::size_t tacPosition) {
    const std::size_t bodyStart = tacPosition + kTacLength + 1;
    if (bodyStart > records.size()) return std::string();
    const std::string::size_type bodyEnd = records.find(kBodyMarker, tacPosition + 1);
    const std::size_t length = bodyEnd == std::string::npos || bodyEnd < bodyStart
                                   ? records.size() - bodyStart
                                   : bodyEnd - bodyStart;
    return UnscrambleText(kBodyKey, records.substr(bodyStart, length));
}

std::vector<std::string> UserFileLines(const std::string& fileText) {
    return SplitText(fileText, "\r\n");
}

std::string UserLineResult(const std::string& line) {
    const std::string::size_type equals = line.find('=');
    std::string result = equals == std::string::npos ? line : line.substr(equals + 1);
    std::replace(result.begin(), result.end(), kUserFieldSeparator, '|');
    return result;
}

}  // namespace quorvel
