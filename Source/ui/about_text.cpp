#include "ui/about_text.h"

#include "imei/handset_database.h"
#include "shared/text.h"

namespace quorvel {
namespace {

// "Software for decoding the information of an IMEI number, version ", in
// the display font's letters.
constexpr const char* kVersionLead =
    // "Phần mềm giải mã thông tin từ số IMEI, phiên bản "
    "Ph\xC7n m\xD2m gi\xB6i m\xBA th\xA4ng tin t\xF4 s\xE7 IMEI, phi\xA3n b\xB6n ";

}  // namespace

std::string AboutText(const ProgramVersion& version, const std::string& contactLine) {
    return kVersionLead + std::to_string(version.major) + "." + std::to_string(version.minor) +
           "." + std::to_string(version.revision) + kCrLf + kCrLf + kAboutCreditLine + kCrLf +
           contactLine + kCrLf + kHandsetDataCredit;
}

}  // namespace quorvel
