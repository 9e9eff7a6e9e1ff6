// The local result text that the Analyze command writes into the result box:
// every line ends with CR LF and the labels are English in both languages.
#pragma once

#include <optional>
#include <string>

#include "imei/handset_database.h"  // kUnknownLookupResult

namespace quorvel {

// The text of the result box for one analysis:
//   "Input IMEI: " typed           (the trimmed text of the IMEI box)
//   "Valid IMEI: " corrected       (only after an accepted correction)
//   ""
//   "[Local information]"
//   "Manufacturer: " field 1, "Model type: " field 2, "Reference: " field 3
//   "Issued by: " approval body of the TAC
// lookupResult holds the fields separated by "|"; an empty field shows as
// "N/A", fields after the third are ignored, and a missing field leaves its
// line out (the empty text has no fields).
std::string LocalResultText(const std::string& typed, const std::optional<std::string>& corrected,
                            const std::string& lookupResult, const std::string& tac);

// Whether a result text holds the manufacturer line of a TAC that no local
// source knows ("Manufacturer: unknown"): the on-line look-up learns only then.
bool IsLocalMiss(const std::string& resultText);

}  // namespace quorvel
