#include "cli/handset_index.h"

#include "imei/imei.h"
#include "imei/scramble.h"

namespace quorvel {
namespace {

const std::string& UnknownResult() {
    static const std::string unknown = kUnknownLookupResult;
    return unknown;
}

}  // namespace

HandsetIndex::HandsetIndex(HandsetSources& sources) {
    // LookupTac finds the first "scrambled TAC, 0xA6": every such match ends
    // on a marker, so the six bytes before each marker, in order, are the
    // keys it can find. Unscrambling a printable key gives the one TAC that
    // scrambles to it.
    if (std::optional<std::string> records = sources.BuiltInRecords()) {
        for (std::string::size_type marker = records->find(kTacMarker, kTacLength);
             marker != std::string::npos; marker = records->find(kTacMarker, marker + 1)) {
            const std::string scrambledTac = records->substr(marker - kTacLength, kTacLength);
            if (!IsPrintableText(scrambledTac)) continue;
            const std::string tac = UnscrambleText(kTacKey, scrambledTac);
            if (builtIn_.count(tac) == 0) {
                builtIn_.emplace(tac, BuiltInResultAt(*records, marker - kTacLength));
            }
        }
    }
    if (std::optional<std::string> userFile = sources.UserFile()) {
        hasUserFile_ = true;
        for (const std::string& line : UserFileLines(*userFile)) {
            if (line.size() < kTacLength) continue;
            const std::string tac = line.substr(0, kTacLength);
            if (user_.count(tac) == 0) user_.emplace(tac, UserLineResult(line));
        }
    }
}

const std::string& HandsetIndex::Lookup(const std::string& tac) const {
    if (tac.size() != kTacLength) return UnknownResult();
    if (IsPrintableText(tac)) {
        const auto found = builtIn_.find(tac);
        if (found != builtIn_.end()) return found->second;
    }
    const auto found = user_.find(tac);
    return found == user_.end() ? UnknownResult() : found->second;
}

}  // namespace quorvel
