// What the Winsock transport adds to the transport port: notifications need
// its window's procedure.
#include <windows.h>
#include <gtest/gtest.h>

#include "download/socket_transport_win32.h"
#include "support/test_socket.h"

namespace quorvel {
namespace {

// A window without SocketWindowProc, like one whose subclass could not be
// installed (its subclass also leaves when the window is destroyed), cannot
// deliver notifications: the transport says so, which is failure code 2, and
// opens no connection that would wait for them.
TEST(WinsockTransport, CannotNotifyWithoutItsWindowProcedure) {
    int port = 0;
    const test::TestSocket listener = test::ListenOnLoopback(1, &port);
    WinsockTransport transport;
    EXPECT_TRUE(transport.CanNotify());
    DestroyWindow(transport.NotificationWindow());
    EXPECT_FALSE(transport.CanNotify());
    EXPECT_EQ(transport.OpenSocket("127.0.0.1", port), kNoSocket);
    test::CloseTestSocket(listener);
}

}  // namespace
}  // namespace quorvel
