#include "tools/service/service_fixture.h"

#include "tacdb_csv.h"

namespace quorvel::testing {

std::string FixtureCsv() {
    return "Osmocom TAC database under CC-BY-SA v3.0 (c) Harald Welte 2016\n"
           "tac,name,name,contributor,comment,gsmarena,gsmarena,aka\r\n"
           "49013920,Nokia,1610,OsmoDevCon 2014,,,http://x,\"1610+,1611,1611+,NHE-5NX\"\r\n"
           "35000001,Bang & Olufsen,BeoCOM\t950,,,,,\"Lumia 535\tDual,RM-1089\"\r\n"
           "35000002,Two,\"line\r\nmodel\",,,,,\r\n"
           "35000003,Tags,<b>bold</b>,,,,,\r\n"
           "35000004,Empty model,,,,,,RM-1\r\n"
           "35000005,M&N Logistik-L\xC3\xB6sungen,X\xE2\x84\xA2 \xE4\xB8\xAD,,,,,DE: D1-988\r\n";
}

HandsetDirectory FixtureDirectory() { return HandsetDirectory(ReadTacDatabase(FixtureCsv())); }

}  // namespace quorvel::testing
