// The text of the About message: the program's version, its author and the
// contact line, and where the handset data comes from. The same in both
// interface languages.
#pragma once

#include <string>

namespace quorvel {

// A program version as its version record holds it.
struct ProgramVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
};

// The title: "Gioi thieu" ("About"), in the display font's letters.
// "Giới thiệu"
inline constexpr const char* kAboutTitle = "Gi\xECi thi\xD6u";

// Who wrote the program.
inline constexpr const char* kAboutCreditLine = "Written by the Quorvel developers";

// The lines, joined by CR LF with none after the last: "Decoder of IMEI
// information, version " and the version (major.minor.revision in decimal),
// an empty line, the credit line, the contact line, and the credits for the
// built-in handset data.
std::string AboutText(const ProgramVersion& version, const std::string& contactLine);

}  // namespace quorvel
