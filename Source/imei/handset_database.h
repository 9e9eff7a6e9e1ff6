// The local handset database. It answers, for a six-character type
// allocation code (TAC), "manufacturer|model type|reference" from two sources
// asked in this order: the scrambled built-in records, then the user file
// "quorvel.dat" in the program folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// What LookupTac gives when no local source knows the TAC.
inline constexpr const char* kUnknownLookupResult = "unknown|unknown|unknown";

// The built-in records are resource 12341 of type "DATA": records of a
// scrambled TAC, the byte 0xA6, the scrambled "manufacturer|model|reference"
// and the byte 0xA4, one after another, then three zero bytes.
inline constexpr int kBuiltInRecordsResourceId = 12341;
inline constexpr const char* kBuiltInRecordsResourceType = "DATA";
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

// The two sources of the database. nullopt means the source cannot be read;
// a missing user file is nullopt too.
class HandsetSources {
public:
    virtual ~HandsetSources() = default;
    virtual std::optional<std::string> BuiltInRecords() = 0;
    virtual std::optional<std::string> UserFile() = 0;
};

// Sources held in memory (the built-in records) and on disk (the user file,
// read anew on every call).
class FileHandsetSources : public HandsetSources {
public:
    FileHandsetSources(std::optional<std::string> builtInRecords, std::string userFilePath);
    std::optional<std::string> BuiltInRecords() override;
    std::optional<std::string> UserFile() override;

private:
    std::optional<std::string> builtInRecords_;
    std::string userFilePath_;
};

// The whole file as bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The result for tac: the first built-in record of that TAC, else the first
// user-file line that begins with it, else kUnknownLookupResult. A missing
// or unreadable source counts as empty; a TAC that is not six characters
// long is known to no source. Never throws.
std::string LookupTac(const std::string& tac, HandsetSources& sources);

// The parts of text between the occurrences of separator (not empty); the
// empty text is one empty part.
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// The fields of a lookup result, split at "|"; the empty text has none.
std::vector<std::string> SplitLookupResult(const std::string& result);

// One built-in record: scrambled TAC, 0xA6, scrambled fields, 0xA4.
std::string EncodeBuiltInRecord(const std::string& tac, const std::string& fields);

// The unscrambled fields of the built-in record whose scrambled TAC starts
// at tacPosition: the text between its 0xA6 marker and the next 0xA4 (or
// the end of the records when that marker is missing).
std::string BuiltInResultAt(const std::string& records, std::size_t tacPosition);

// The user file split at CR LF; a lone CR or LF stays inside its line.
std::vector<std::string> UserFileLines(const std::string& fileText);

// A matching user-file line as a lookup result: everything up to and
// including the first "=" dropped (a line without "=" is kept whole), and
// every 0xB6 replaced by "|".
std::string UserLineResult(const std::string& line);

}  // namespace quorvel
