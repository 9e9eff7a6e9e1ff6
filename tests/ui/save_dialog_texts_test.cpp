#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/save_dialog_texts.h"

namespace quorvel {
namespace {

// The filter's pieces between NULs, up to the empty piece that ends it.
std::vector<std::string> FilterPieces(const std::string& filter) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = filter.find('\0', start)) != std::string::npos; start = end + 1) {
        if (end == start) break;
        pieces.push_back(filter.substr(start, end - start));
    }
    return pieces;
}

TEST(SaveDialogTexts, FiltersAreTwoPairsEndedByTwoNuls) {
    struct Case {
        Language language;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {Language::English, {"Text Documents (*.txt)", "*.txt", "All Files (*.*)", "*.*"}},
        {Language::Vietnamese,
         {"T\xAAi li\xD6u v\x9Fn b\xB6n (*.txt)", "*.txt", "T\xCAt c\xB6 (*.*)", "*.*"}},
    };
    for (const Case& c : cases) {
        const std::string& filter = SaveDialogTextsFor(c.language).filter;
        EXPECT_EQ(FilterPieces(filter), c.pieces);
        ASSERT_GE(filter.size(), 2u);
        EXPECT_EQ(filter.substr(filter.size() - 2), std::string(2, '\0'));
        EXPECT_EQ(std::count(filter.begin(), filter.end(), '\0'), 5);
    }
}

TEST(SaveDialogTexts, OnlyTheVietnameseDialogReplacesTheSystemTitle) {
    EXPECT_EQ(SaveDialogTextsFor(Language::English).systemTitle, nullptr);
    EXPECT_STREQ(SaveDialogTextsFor(Language::Vietnamese).systemTitle, " ");
    EXPECT_EQ(std::string(kSaveDialogTitle), "L\xA7u T\xCBp Tin");
}

}  // namespace
}  // namespace quorvel
