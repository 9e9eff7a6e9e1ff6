// The HTML pages of the analysis service, in Windows-1252. The program reads
// them as text between tags, without decoding character references, so a
// value is written as it is, with only the tag brackets escaped.
#pragma once

#include <string>

#include "service/handset_directory.h"

namespace quorvel {

// The analysis of a 15-digit imei; handset is null when its TAC is unknown,
// and every value that is not known reads "N/A".
std::string RenderAnalysisPage(const std::string& imei, const Handset* handset);

// The page that asks for a login instead of showing the analysis of imei.
std::string RenderLoginPage(const std::string& imei);

// A small page for an HTTP error status, e.g. (404, "Not Found").
std::string RenderErrorPage(int status, const std::string& reason);

}  // namespace quorvel
