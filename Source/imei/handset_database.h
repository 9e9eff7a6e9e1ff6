// The local handset database. It answers, for the type allocation code
// (TAC) of an IMEI, its first eight digits, "manufacturer|model type|reference"
// from two sources asked in this order: the scrambled built-in records (a
// record of the eight-digit TAC, then one of its six-digit prefix), then the
// user file "quorvel.dat" in the program folder (its first line that begins
// with the eight digits, then its first line that begins with the six).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What LookupTac gives when no local source knows the TAC.
inline constexpr const char* kUnknownLookupResult = "unknown|unknown|unknown";

// The built-in records are resource 12341 of type "DATA": records of a
// scrambled key (an eight-digit TAC or a six-digit prefix), the byte 0xA6,
// the scrambled "manufacturer|model|reference" and the byte 0xA4, one after
// another, then three zero bytes. The scrambled prefix is the first six
// characters of the scrambled TAC; the 0xA6 after a key keeps the two apart.
inline constexpr int kBuiltInRecordsResourceId = 12341;
// The user's own handset records, in the program's own folder.
inline constexpr const char* kUserDatabaseFileName = "quorvel.dat";
inline constexpr const char* kTacKey = "RowanKite";
inline constexpr const char* kBodyKey = "SableMint";
inline constexpr char kTacMarker = '\xA6';
inline constexpr char kBodyMarker = '\xA4';
inline constexpr std::size_t kRecordsTrailerLength = 3;

// The user file separates the fields of a record with the byte 0xB6.
inline constexpr char kUserFieldSeparator = '\xB6';

// Where the built-in records come from, for the README and the About text.
inline constexpr const char* kHandsetDataCredit =
    "Handset data: Osmocom TAC database, CC-BY-SA 3.0, (c) Harald Welte 2016 and contributors";

// Which record answered a lookup, as quorvel-cli names it.
enum class TacMatch { kTac8, kPrefix6, kUserFile, kNone };
const char* TacMatchName(TacMatch match);  // "tac8", "prefix6", "user-file", "none"

struct TacAnswer {
    std::string fields = kUnknownLookupResult;  // "manufacturer|model type|reference"
    TacMatch matchedBy = TacMatch::kNone;
};

// What one source holds for an eight-character TAC: the fields of its first
// record of the TAC itself and of its first record of the six-character
// prefix.
struct SourceAnswer {
    std::optional<std::string> tac;
    std::optional<std::string> prefix;
};

// The two sources of the database. A source that cannot be read answers
// nothing; a missing user file cannot be read.
class HandsetSources {
public:
    virtual ~HandsetSources() = default;
    virtual SourceAnswer SearchBuiltIn(const std::string& tac) = 0;
    virtual SourceAnswer SearchUserFile(const std::string& tac) = 0;
};

// Sources held in memory (the built-in records) and on disk (the user file,
// read anew on every search).
class FileHandsetSources : public HandsetSources {
public:
    FileHandsetSources(std::optional<std::string> builtInRecords, std::string userFilePath);
    SourceAnswer SearchBuiltIn(const std::string& tac) override;
    SourceAnswer SearchUserFile(const std::string& tac) override;

private:
    std::optional<std::string> builtInRecords_;
    std::string userFilePath_;
};

// The whole file as bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The answer for tac, the IMEI's first eight characters, from the first of:
// the built-in record of tac, the built-in record of its six-character
// prefix, the user file's first line that begins with tac, the user file's
// first line that begins with the prefix. A user record never overrides a
// built-in one: the user file is read only when the records know neither.
// A tac that is not eight characters long is known to no source. Never
// throws.
TacAnswer LookupTac(const std::string& tac, HandsetSources& sources);

// The built-in records' answer for tac, in one pass over records. A key
// counts only where a record starts (at the first byte or after a 0xA4),
// and a record whose body holds a 0xA6 (its own 0xA4 was lost) answers
// nothing.
SourceAnswer SearchBuiltInRecords(std::string_view records, const std::string& tac);

// A whole record at start: a key of six or eight printable characters,
// 0xA6, and a body up to the next 0xA4 (or the end) that holds no 0xA6.
struct BuiltInRecord {
    std::string_view scrambledKey;
    std::string_view scrambledBody;
};
std::optional<BuiltInRecord> BuiltInRecordAt(std::string_view records, std::size_t start);

// The user file's answer for tac, read line by line (lines end in CR LF; a
// lone CR or LF stays inside its line): it stops at the first line that
// begins with tac and keeps no line but the ones that match. A read error
// ends the search with what was found before it.
// read fills up to size bytes of buffer and gives how many it filled; 0 is
// the end (or a read error).
using ByteReader = std::function<std::size_t(char* buffer, std::size_t size)>;
SourceAnswer SearchUserLines(const ByteReader& read, const std::string& tac);

// SearchUserLines over the file at path; a file that cannot be opened
// answers nothing.
SourceAnswer SearchUserFileAt(const std::string& path, const std::string& tac);

// The fields of a lookup result, split at "|"; the empty text has none.
std::vector<std::string> SplitLookupResult(const std::string& result);

// One built-in record: scrambled key, 0xA6, scrambled fields, 0xA4.
std::string EncodeBuiltInRecord(const std::string& key, const std::string& fields);

// A matching user-file line as a lookup result: everything up to and
// including the first "=" dropped (a line without "=" is kept whole), and
// every 0xB6 replaced by "|".
std::string UserLineResult(const std::string& line);

// The user file record of a learnt handset, CR LF included: the first 14
// digits of the IMEI, its computed check digit, "=", and the three fields
// separated by kUserFieldSeparator (a separator inside a field becomes a
// space, a "|" a "/", so that UserLineResult reads the fields back).
std::string UserRecordLine(const std::string& imei, const std::string& manufacturer,
                           const std::string& modelType, const std::string& reference);

// Appends line at the end of the user file, creating it when missing; when
// the file does not end with CR LF, a CR LF goes first so the record never
// joins the last line. The whole text is written with one write. Returns
// false when the file cannot be opened or written.
bool AppendUserRecord(const std::string& path, const std::string& line);

}  // namespace quorvel
