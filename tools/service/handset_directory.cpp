#include "service/handset_directory.h"

#include "imei/imei.h"
#include "text_encoding.h"

namespace quorvel {

HandsetDirectory::HandsetDirectory(const TacDatabase& database) {
    for (const TacRecord& record : database.records) {
        byTac_.emplace(record.tac, Handset{Utf8ToCp1252(record.maker), Utf8ToCp1252(record.model),
                                           Utf8ToCp1252(FirstAlias(record.aka))});
    }
}

const Handset* HandsetDirectory::Find(const std::string& imei) const {
    const auto found = byTac_.find(imei.substr(0, kTacLength));
    return found == byTac_.end() ? nullptr : &found->second;
}

}  // namespace quorvel
