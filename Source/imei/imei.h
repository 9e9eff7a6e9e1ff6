// The structure of an IMEI ("IMEI=TAC/FAC/SNR/LCD"), its check digit and the
// approval body named by the first two digits of the type allocation code.
#pragma once

#include <optional>
#include <string>

namespace quorvel {

inline constexpr std::size_t kImeiLength = 15;
// The type allocation code (TAC) is the IMEI's first eight digits; its
// first six are the prefix that TACs were before they grew to eight.
inline constexpr std::size_t kTacLength = 8;
inline constexpr std::size_t kTacPrefixLength = 6;

// The separators that may stand between the digits of a typed IMEI: the
// IMEI box lets them in, and the Analyze command removes them.
bool IsImeiSeparator(char c);

// text without every " ", "-" and "/": the IMEI as typed, normalised.
std::string RemoveImeiSeparators(const std::string& text);

// text with its last character that is not a separator (" ", "-", "/")
// replaced by digit: the typed text after a check-digit correction, with
// its separators as typed. text must hold such a character.
std::string CorrectedImeiText(const std::string& text, char digit);

// The Luhn check digit over the first 14 characters of imei, as "0".."9".
// No result when imei is shorter than 14 characters or one of its first 14
// is not a decimal digit.
std::optional<std::string> CheckDigit(const std::string& imei);

// The approval body named by the first two characters of tac, or "unknown".
// The "49" row holds the Latin-1 letter 0xFC.
std::string ApprovalBody(const std::string& tac);

}  // namespace quorvel
