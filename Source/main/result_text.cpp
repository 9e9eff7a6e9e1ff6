#include "main/result_text.h"

#include <array>
#include <vector>

#include "imei/handset_database.h"
#include "imei/imei.h"

namespace quorvel {
namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string LocalResultText(const std::string& typed, const std::optional<std::string>& corrected,
                            const std::string& lookupResult, const std::string& tac) {
    std::string text = "Input IMEI: " + typed + kLineEnd;
    if (corrected) text += "Valid IMEI: " + *corrected + kLineEnd;
    text += kLineEnd;
    text += std::string("[Local information]") + kLineEnd;
    static const std::array<const char*, 3> kLabels = {"Manufacturer", "Model type", "Reference"};
    const std::vector<std::string> fields = SplitLookupResult(lookupResult);
    for (std::size_t i = 0; i < kLabels.size() && i < fields.size(); ++i) {
        text += std::string(kLabels[i]) + ": " + (fields[i].empty() ? "N/A" : fields[i]) + kLineEnd;
    }
    text += "Issued by: " + ApprovalBody(tac) + kLineEnd;
    return text;
}

}  // namespace quorvel
