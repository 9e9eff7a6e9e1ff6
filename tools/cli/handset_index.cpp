#include "cli/handset_index.h"

#include <utility>

#include "imei/imei.h"
#include "imei/scramble.h"

namespace quorvel {

HandsetIndex::HandsetIndex(const std::string& records, std::unique_ptr<std::istream> userFile)
    : userFile_(std::move(userFile)) {
    // A key counts only where a record starts: at the first byte and after
    // each 0xA4. Unscrambling a printable key gives the one TAC or prefix
    // that scrambles to it.
    for (std::size_t start = 0;;) {
        if (const std::optional<BuiltInRecord> record = BuiltInRecordAt(records, start)) {
            builtIn_.emplace(UnscrambleText(kTacKey, std::string(record->scrambledKey)),
                             UnscrambleText(kBodyKey, std::string(record->scrambledBody)));
        }
        const std::size_t marker = records.find(kBodyMarker, start);
        if (marker == std::string::npos) break;
        start = marker + 1;
    }
}

SourceAnswer HandsetIndex::SearchBuiltIn(const std::string& tac) {
    SourceAnswer answer;
    const auto found = builtIn_.find(tac);
    if (found != builtIn_.end()) {
        answer.tac = found->second;
        return answer;
    }
    const auto prefix = builtIn_.find(tac.substr(0, kTacLength));
    if (prefix != builtIn_.end()) answer.prefix = prefix->second;
    return answer;
}

SourceAnswer HandsetIndex::SearchUserFile(const std::string& tac) {
    if (!userFile_) return {};
    userFile_->clear();
    userFile_->seekg(0);
    return SearchUserLines(*userFile_, tac);
}

}  // namespace quorvel
