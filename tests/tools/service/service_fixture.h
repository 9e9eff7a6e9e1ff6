// The handsets that the service tests serve, with the awkward values a
// handset list can hold.
#pragma once

#include <string>

#include "service/handset_directory.h"

namespace quorvel::testing {

// The list as tacdb.csv would hold it (UTF-8, CR LF).
std::string FixtureCsv();

HandsetDirectory FixtureDirectory();

}  // namespace quorvel::testing
