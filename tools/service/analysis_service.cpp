#include "service/analysis_service.h"

#include <algorithm>
#include <optional>

#include "imei/imei.h"
#include "service/analysis_page.h"
#include "service/http_message.h"

namespace quorvel {
namespace {

bool IsImei(const std::string& text) {
    return text.size() == kImeiLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string AnalysisService::Respond(const std::string& head) const {
    const std::optional<RequestLine> request = ParseRequestHead(head);
    if (!request) return ErrorReply(400);
    if (request->path != kAnalysisPath || QueryValue(request->query, "goto") != "imei" ||
        QueryValue(request->query, "action") != "analyse") {
        return ErrorReply(404);
    }
    if (request->method != "GET") return ErrorReply(405);
    const std::optional<std::string> imei = QueryValue(request->query, "s");
    if (!imei || !IsImei(*imei)) return ErrorReply(400);
    if (requireLogin_) return FormatReply(200, RenderLoginPage(*imei));
    return FormatReply(200, RenderAnalysisPage(*imei, directory_.Find(*imei)));
}

}  // namespace quorvel
