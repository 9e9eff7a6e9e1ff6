#include "main/result_text.h"

#include <array>
#include <vector>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "shared/text.h"

namespace quorvel {
namespace {

constexpr std::array<const char*, 3> kFieldLabels = {"Manufacturer", "Model type", "Reference"};

// The line of a lookup result's field, without its line end.
std::string FieldLine(std::size_t field, const std::string& value) {
    return std::string(kFieldLabels[field]) + ": " + (value.empty() ? "N/A" : value);
}

}  // namespace

std::string LocalResultText(const std::string& typed, const std::optional<std::string>& corrected,
                            const std::string& lookupResult, const std::string& tac) {
    std::string text = "Input IMEI: " + typed + kCrLf;
    if (corrected) text += "Valid IMEI: " + *corrected + kCrLf;
    text += kCrLf;
    text += std::string("[Local information]") + kCrLf;
    const std::vector<std::string> fields = SplitLookupResult(lookupResult);
    for (std::size_t i = 0; i < kFieldLabels.size() && i < fields.size(); ++i) {
        text += FieldLine(i, fields[i]) + kCrLf;
    }
    text += "Issued by: " + ApprovalBody(tac) + kCrLf;
    return text;
}

bool IsLocalMiss(const std::string& resultText) {
    return resultText.find(FieldLine(0, SplitLookupResult(kUnknownLookupResult).front())) !=
           std::string::npos;
}

}  // namespace quorvel
