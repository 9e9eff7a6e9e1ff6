#include "imei/handset_database.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "imei/imei.h"
#include "imei/scramble.h"
#include "shared/stdio_file.h"
#include "shared/text.h"

namespace quorvel {
namespace {

std::string UnscrambledBody(const BuiltInRecord& record) {
    return UnscrambleText(kBodyKey, std::string(record.scrambledBody));
}

// Reads the user file's lines up to the first that matches tac: the first
// eight bytes of a line decide, the rest of a line that does not match is
// skipped without being stored.
class UserLineSearch {
public:
    explicit UserLineSearch(const std::string& tac) : tac_(tac) {}

    // Returns true when the line of tac was found: no need to read on.
    bool Feed(const char* bytes, std::size_t count) {
        while (count > 0) {
            const char* lineFeed = static_cast<const char*>(std::memchr(bytes, '\n', count));
            const std::size_t length =
                lineFeed ? static_cast<std::size_t>(lineFeed - bytes) : count;
            Append(bytes, length);
            if (!lineFeed) return false;
            if (lastWasCr_) {
                if (EndLine(1)) return true;
            } else {
                Append("\n", 1);  // a lone LF stays inside its line
            }
            bytes += length + 1;
            count -= length + 1;
        }
        return false;
    }

    std::optional<std::string> Finish() {
        EndLine(0);
        return std::move(answer_);
    }

private:
    enum class State { kDeciding, kKeeping, kSkipping };

    void Append(const char* bytes, std::size_t count) {
        if (count == 0) return;
        lastWasCr_ = bytes[count - 1] == '\r';
        if (state_ == State::kDeciding) {
            // Nine bytes are enough: the first eight are then surely not the
            // CR of a line end.
            const std::size_t taken = std::min(count, kTacLength + 1 - line_.size());
            line_.append(bytes, taken);
            bytes += taken;
            count -= taken;
            if (line_.size() == kTacLength + 1) Decide(line_);
        }
        if (state_ == State::kKeeping) line_.append(bytes, count);
    }

    // Ends the current line, whose last crLength bytes are its CR; true
    // when it was the line of tac.
    bool EndLine(std::size_t crLength) {
        if (state_ == State::kDeciding) Decide(line_.substr(0, line_.size() - crLength));
        const bool found = state_ == State::kKeeping;
        if (found) {
            line_.resize(line_.size() - crLength);
            answer_ = UserLineResult(line_);
        }
        line_.clear();
        state_ = State::kDeciding;
        lastWasCr_ = false;
        return found;
    }

    void Decide(const std::string& head) {
        state_ = UserLineMatches(head, tac_) ? State::kKeeping : State::kSkipping;
        if (state_ == State::kSkipping) line_.clear();
    }

    const std::string& tac_;
    std::optional<std::string> answer_;
    std::string line_;  // the head of the line, or the whole line when it is kept
    State state_ = State::kDeciding;
    bool lastWasCr_ = false;
};

// Read back, a "|" would shift the fields of the lookup result.
std::string WithoutFieldSeparators(std::string field) {
    for (char& c : field) {
        if (c == kUserFieldSeparator) c = ' ';
        if (c == '|') c = '/';
    }
    return field;
}

// The last two bytes of the file, or fewer when it is shorter.
std::string LastTwoBytes(const std::string& path) {
    UniqueStdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return std::string();
    const long size = std::ftell(file.get());
    if (size <= 0) return std::string();
    const long tail = size < 2 ? size : 2;
    if (std::fseek(file.get(), size - tail, SEEK_SET) != 0) return std::string();
    std::string bytes(static_cast<std::size_t>(tail), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    return bytes;
}

}  // namespace

const char* TacMatchName(TacMatch match) {
    switch (match) {
        case TacMatch::kTac8:
            return "tac8";
        case TacMatch::kUserFile:
            return "user-file";
        case TacMatch::kNone:
            break;
    }
    return "none";
}

FileHandsetSources::FileHandsetSources(std::optional<std::string> builtInRecords,
                                       std::string userFilePath)
    : builtInRecords_(std::move(builtInRecords)), userFilePath_(std::move(userFilePath)) {}

std::optional<std::string> FileHandsetSources::SearchBuiltIn(const std::string& tac) {
    if (!builtInRecords_) return std::nullopt;
    return SearchBuiltInRecords(*builtInRecords_, tac);
}

std::optional<std::string> FileHandsetSources::SearchUserFile(const std::string& tac) {
    return SearchUserFileAt(userFilePath_, tac);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    UniqueStdioFile file(std::fopen(path.c_str(), "rb"));
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

TacAnswer LookupTac(const std::string& tac, HandsetSources& sources) {
    try {
        if (tac.size() != kTacLength) return {};
        std::optional<std::string> builtIn = sources.SearchBuiltIn(tac);
        if (builtIn) return {std::move(*builtIn), TacMatch::kTac8};
        std::optional<std::string> user = sources.SearchUserFile(tac);
        if (user) return {std::move(*user), TacMatch::kUserFile};
        return {};
    } catch (...) {
        // A source that fails (out of memory, a port that throws) is a
        // source that cannot be read: the TAC is then unknown.
        return {};
    }
}

std::optional<BuiltInRecord> BuiltInRecordAt(std::string_view records, std::size_t start) {
    if (start + kTacLength >= records.size() || records[start + kTacLength] != kTacMarker) {
        return std::nullopt;
    }
    const std::string_view key = records.substr(start, kTacLength);
    if (!IsPrintableText(std::string(key))) return std::nullopt;
    const std::size_t bodyStart = start + kTacLength + 1;
    const std::size_t bodyEnd = std::min(records.find(kBodyMarker, bodyStart), records.size());
    const std::string_view body = records.substr(bodyStart, bodyEnd - bodyStart);
    if (body.find(kTacMarker) != std::string_view::npos) return std::nullopt;
    return BuiltInRecord{key, body};
}

std::optional<std::string> SearchBuiltInRecords(std::string_view records, const std::string& tac) {
    // Scrambling drops what is not printable: the key of such a TAC is
    // shorter, and BuiltInRecordAt finds no record of eight at it.
    const std::string key = ScrambleText(kTacKey, tac) + kTacMarker;
    for (std::size_t found = records.find(key); found != std::string_view::npos;
         found = records.find(key, found + 1)) {
        if (found > 0 && records[found - 1] != kBodyMarker) continue;
        const std::optional<BuiltInRecord> record = BuiltInRecordAt(records, found);
        if (record) return UnscrambledBody(*record);
    }
    return std::nullopt;
}

bool UserLineMatches(std::string_view head, const std::string& tac) {
    const bool learnt = head.size() >= kTacLength && IsAsciiDigits(head.substr(0, kTacLength));
    const std::size_t length = learnt ? kTacLength : kTacPrefixLength;
    return head.size() >= length && head.compare(0, length, tac, 0, length) == 0;
}

std::optional<std::string> SearchUserLines(const ByteReader& read, const std::string& tac) {
    UserLineSearch search(tac);
    char buffer[65536];
    for (std::size_t count; (count = read(buffer, sizeof buffer)) > 0;) {
        if (search.Feed(buffer, count)) break;
    }
    return search.Finish();
}

// C stdio rather than a file stream: streams would link the whole locale
// machinery of the C++ library into the Windows program, tripling its size.
std::optional<std::string> SearchUserFileAt(const std::string& path, const std::string& tac) {
    UniqueStdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    return SearchUserLines(
        [&file](char* buffer, std::size_t size) { return std::fread(buffer, 1, size, file.get()); },
        tac);
}

std::vector<std::string> SplitLookupResult(const std::string& result) {
    if (result.empty()) return {};
    return SplitText(result, "|");
}

std::string EncodeBuiltInRecord(const std::string& key, const std::string& fields) {
    return ScrambleText(kTacKey, key) + kTacMarker + ScrambleText(kBodyKey, fields) + kBodyMarker;
}

std::string UserLineResult(const std::string& line) {
    const std::string::size_type equals = line.find('=');
    std::string result = equals == std::string::npos ? line : line.substr(equals + 1);
    std::replace(result.begin(), result.end(), kUserFieldSeparator, '|');
    return result;
}

std::string UserRecordLine(const std::string& imei, const std::string& manufacturer,
                           const std::string& modelType, const std::string& reference) {
    return imei.substr(0, kImeiLength - 1) + CheckDigit(imei).value_or("") + "=" +
           WithoutFieldSeparators(manufacturer) + kUserFieldSeparator +
           WithoutFieldSeparators(modelType) + kUserFieldSeparator +
           WithoutFieldSeparators(reference) + kCrLf;
}

bool AppendUserRecord(const std::string& path, const std::string& line) {
    const std::string tail = LastTwoBytes(path);
    const bool joinsLastLine = !tail.empty() && tail != kCrLf;
    const std::string text = (joinsLastLine ? std::string(kCrLf) : std::string()) + line;
    UniqueStdioFile file(std::fopen(path.c_str(), "ab"));
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    const bool flushed = std::fflush(file.get()) == 0;
    return written && flushed;
}

}  // namespace quorvel
