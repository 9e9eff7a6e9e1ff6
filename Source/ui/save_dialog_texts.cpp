#include "ui/save_dialog_texts.h"

namespace quorvel {
namespace {

// The filters hold NULs: each is built from its literal's full size, less
// the literal's own terminator.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

const SaveDialogTexts kEnglish = {
    Bytes("Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"),
    nullptr,
};

const SaveDialogTexts kVietnamese = {
    // "Tài liệu văn bản (*.txt)\0*.txt\0Tất cả (*.*)\0*.*\0\0"
    Bytes("T\xAAi li\xD6u v\x9Fn b\xB6n (*.txt)\0*.txt\0T\xCAt c\xB6 (*.*)\0*.*\0\0"),
    " ",
};

}  // namespace

const SaveDialogTexts& SaveDialogTextsFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

}  // namespace quorvel
