#include "main/result_text.h"

#include <array>
#include <vector>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "shared/text.h"

namespace quorvel {
namespace {}  // namespace

std::string LocalResultText(const std::string& typed, const std::optional<std::string>& corrected,
                            const std::string& lookupResult, const std::string& tac) {
    std::string text = "Input IMEI: " + typed + kCrLf;
    if (corrected) text += "Valid IMEI: " + *corrected + kCrLf;
    text += kCrLf;
    text += std::string("[Local information]") + kCrLf;
    static const std::array<const char*, 3> kLabels = {"Manufacturer", "Model type", "Reference"};
    const std::vector<std::string> fields = SplitLookupResult(lookupResult);
    for (std::size_t i = 0; i < kLabels.size() && i < fields.size(); ++i) {
        text += std::string(kLabels[i]) + ": " + (fields[i].empty() ? "N/A" : fields[i]) + kCrLf;
    }
    text += "Issued by: " + ApprovalBody(tac) + kCrLf;
    return text;
}

}  // namespace quorvel
