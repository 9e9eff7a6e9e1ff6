// The transport port (transport.h) keeps copies of Winsock values, so that
// the download class builds without Windows; each is checked here against the
// SDK, at the width of the build. Winsock 2's header is the one that names
// the shutdown directions; the transport itself uses Winsock 1.1's, and the
// two headers cannot meet in one file.
#include <winsock2.h>
#include <windows.h>

#include "download/transport.h"

namespace quorvel {

static_assert(kReadEvent == FD_READ && kWriteEvent == FD_WRITE && kConnectEvent == FD_CONNECT &&
                  kCloseEvent == FD_CLOSE,
              "the network events");
static_assert(kRegisteredEvents == (FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE),
              "the events every connection is registered for");
static_assert((kNoProgressEvent & FD_ALL_EVENTS) == 0, "an event that Winsock never posts");
static_assert(kShutdownReceive == SD_RECEIVE && kShutdownSend == SD_SEND &&
                  kShutdownBoth == SD_BOTH,
              "the shutdown directions");
static_assert(sizeof(SocketId) == sizeof(SOCKET) &&
                  kNoSocket == static_cast<SocketId>(INVALID_SOCKET),
              "a socket as the transport names it");

}  // namespace quorvel
