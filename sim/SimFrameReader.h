// Gathers request frames from the bytes of the line, as a controller's receiver does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx5sim {

class SimFrameReader {
public:
    // The longest request (a write of 99 registers with checksum) is 1003 bytes.
    static constexpr std::size_t kMaxFrame = 1100;

    // Returns the frames (STX .. LF inclusive) that these bytes complete, in order.
    // Bytes outside a frame are dropped; STX restarts a frame; an overlong frame is dropped.
    std::vector<std::string> feed(std::string_view bytes);

private:
    std::string mBuf;
    bool mInFrame = false;
};

} // namespace kx5sim
