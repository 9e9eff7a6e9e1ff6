#include "main/page_reduction.h"

#include <cstring>

#include "shared/text.h"

namespace quorvel {
namespace {

// Finds the first piece of text that is not blank and ends at a "<", after
// the first "Short name"; gives the country line or the empty text.
std::string CountryLine(const std::string& page) {
    const std::string::size_type marker = page.find(kShortNameMarker);
    if (marker == std::string::npos) return std::string();
    bool inTag = false;
    std::string piece;
    for (std::string::size_type i = marker + std::strlen(kShortNameMarker); i < page.size(); ++i) {
        const char c = page[i];
        if (c == '<') {
            piece = CleanPiece(piece);
            if (!piece.empty()) return std::string(kCountryMarker) + ": " + piece + kCrLf;
            inTag = true;
        } else if (c == '>') {
            inTag = false;
        } else if (!inTag) {
            piece.push_back(c);
        }
    }
    return std::string();
}

// The part of the page between the heading of the results and the country
// block (or the break-down, when there is no country block).
std::string ResultSection(const std::string& page) {
    // Positions count from 1 as the markers are found; an absent heading
    // counts as position 0, so the section then starts at the 28th character.
    const std::string::size_type heading = page.find(kResultsMarker);
    const long long start =
        (heading == std::string::npos ? 0 : static_cast<long long>(heading) + 1) +
        static_cast<long long>(std::strlen(kResultsMarker));
    std::string::size_type endMarker = page.find(kCountryMarker);
    if (endMarker == std::string::npos) endMarker = page.find(kBreakDownMarker);
    if (endMarker == std::string::npos) return std::string();
    const long long end = static_cast<long long>(endMarker) + 1;
    if (end <= start) return std::string();
    return page.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start));
}

// Every "<BR>", in any letter case, becomes one space.
std::string WithLineBreakTagsAsSpaces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size();) {
        if (i + 4 <= text.size() && text[i] == '<' && AsciiUpper(text[i + 1]) == 'B' &&
            AsciiUpper(text[i + 2]) == 'R' && text[i + 3] == '>') {
            out.push_back(' ');
            i += 4;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

void TakeFinishedEntry(const std::string& entry, ReducedPage& reduced) {
    const std::string value = entry.substr(entry.find(": ") + 2);
    if (entry.find("Manufacturer: ") != std::string::npos) {
        reduced.manufacturer = value;
    } else if (entry.find("Model type: ") != std::string::npos) {
        reduced.modelType = value;
    } else if (entry.find("Reference: ") != std::string::npos) {
        reduced.reference = value;
    }
    reduced.lines += entry + kCrLf;
}

}  // namespace

std::string CleanPiece(const std::string& text) {
    std::string cleaned = text;
    for (char& c : cleaned) {
        if (IsAsciiControl(c)) c = ' ';
    }
    return TrimSpaces(cleaned);
}

ReducedPage ReducePage(const std::string& page) {
    ReducedPage reduced;
    if (page.find(kLoginMarker) != std::string::npos) {
        reduced.loginRequired = true;
        return reduced;
    }
    const std::string country = CountryLine(page);
    const std::string section = WithLineBreakTagsAsSpaces(ResultSection(page));

    // The first piece of text of an entry is its label, the next its value.
    bool inTag = false;
    std::string piece;
    std::string pending;
    for (char c : section) {
        if (c == '<') {
            piece = CleanPiece(piece);
            if (!piece.empty()) {
                pending = pending.empty() ? piece : pending + ": " + piece;
                piece.clear();
                if (pending.find(": ") != std::string::npos) {
                    TakeFinishedEntry(pending, reduced);
                    pending.clear();
                }
            }
            inTag = true;
        } else if (c == '>') {
            inTag = false;
        } else if (!inTag) {
            piece.push_back(c);
        }
    }
    reduced.lines += country;
    return reduced;
}

}  // namespace quorvel
