// The local handset database. It answers, for the type allocation code
// (TAC) of an IMEI, its first eight digits, "manufacturer|model type|reference"
// from two sources asked in this order: the scrambled built-in record of the
// TAC itself, then the first line of the user file "quorvel.dat" in the
// program folder that matches it. A six-digit block holds handsets of many
// makers, so no source answers for a TAC from the other TACs of its block.
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
// scrambled eight-digit TAC, the byte 0xA6, the scrambled
// "manufacturer|model|reference" and the byte 0xA4, one after another, then
// three zero bytes. A record of a six-character key (a prefix, as older
// records held) is no record of a TAC and answers nothing.
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

// Where the built-in records come from, for the README and the About text:
// the two lists, a line each.
inline constexpr const char* kHandsetDataCredit =
    "Handset data: Osmocom TAC database, CC-BY-SA 3.0, (c) Harald Welte 2016 and contributors\r\n"
    "Samsung TACs: SamloaderKotlin TAC list, MIT, (c) 2021 Zachary Wander";

// Which record answered a lookup, as quorvel-cli names it.
enum class TacMatch { kTac8, kUserFile, kNone };
const char* TacMatchName(TacMatch match);  // "tac8", "user-file", "none"

struct TacAnswer {
    std::string fields = kUnknownLookupResult;  // "manufacturer|model type|reference"
    TacMatch matchedBy = TacMatch::kNone;
};

// The two sources of the database; each gives the fields of its record of
// an eight-character TAC, or nothing. A source that cannot be read answers
// nothing; a missing user file cannot be read.
class HandsetSources {
public:
    virtual ~HandsetSources() = default;
    virtual std::optional<std::string> SearchBuiltIn(const std::string& tac) = 0;
    virtual std::optional<std::string> SearchUserFile(const std::string& tac) = 0;
};

// Sources held in memory (the built-in records) and on disk (the user file,
// read anew on every search).
class FileHandsetSources : public HandsetSources {
public:
    FileHandsetSources(std::optional<std::string> builtInRecords, std::string userFilePath);
    std::optional<std::string> SearchBuiltIn(const std::string& tac) override;
    std::optional<std::string> SearchUserFile(const std::string& tac) override;

private:
    std::optional<std::string> builtInRecords_;
    std::string userFilePath_;
};

// The whole file as bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The answer for tac, the IMEI's first eight characters: the built-in
// record of tac, else the user file's first line that matches it (see
// UserLineMatches), else unknown. A user record never overrides a built-in
// one: the user file is read only when the records lack tac. A tac that is
// not eight characters long is known to no source. Never throws.
TacAnswer LookupTac(const std::string& tac, HandsetSources& sources);

// The built-in records' answer for tac, in one pass over records. A key
// counts only where a record starts (at the first byte or after a 0xA4),
// and a record whose body holds a 0xA6 (its own 0xA4 was lost) answers
// nothing.
std::optional<std::string> SearchBuiltInRecords(std::string_view records, const std::string& tac);

// A whole record at start: a key of eight printable characters, 0xA6, and a
// body up to the next 0xA4 (or the end) that holds no 0xA6.
struct BuiltInRecord {
    std::string_view scrambledKey;
    std::string_view scrambledBody;
};
std::optional<BuiltInRecord> BuiltInRecordAt(std::string_view records, std::size_t start);

// Whether a user-file line that begins with head (at least its first eight
// bytes, or the whole line when it is shorter) is a record of tac. A line
// whose key (the text before "=") begins with eight digits, as a learnt
// line's 15-digit IMEI does, matches by those eight; any other line, as a
// hand-written six-digit key, by its first six characters.
bool UserLineMatches(std::string_view head, const std::string& tac);

// The user file's answer for tac, read line by line (lines end in CR LF; a
// lone CR or LF stays inside its line): the first line that matches tac.
// It stops there and keeps no other line. A read error ends the search.
// read fills up to size bytes of buffer and gives how many it filled; 0 is
// the end (or a read error).
using ByteReader = std::function<std::size_t(char* buffer, std::size_t size)>;
std::optional<std::string> SearchUserLines(const ByteReader& read, const std::string& tac);

// SearchUserLines over the file at path; a file that cannot be opened
// answers nothing.
std::optional<std::string> SearchUserFileAt(const std::string& path, const std::string& tac);

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
