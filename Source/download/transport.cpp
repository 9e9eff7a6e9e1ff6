#include "download/transport.h"

namespace quorvel {

std::optional<std::uint16_t> ConnectablePort(std::int32_t port) {
    const auto wirePort = static_cast<std::uint16_t>(static_cast<std::uint32_t>(port) & 0xFFFFu);
    if (wirePort == 0xFFFF) return std::nullopt;
    return wirePort;
}

}  // namespace quorvel
