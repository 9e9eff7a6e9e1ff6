// What the network tests of the download class need from a platform, defined
// once per platform: its real transport, and turns of its own loop.
#pragma once

#include <memory>

#include "download/download.h"

namespace quorvel::test {

// The platform's transport; a connect gives up after 5 s.
std::unique_ptr<Transport> MakePlatformTransport();
// Waits at most 20 ms for notifications of transport and hands them to download.
void Turn(C1& download, Transport& transport);

}  // namespace quorvel::test
