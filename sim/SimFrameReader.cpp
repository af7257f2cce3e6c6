#include "sim/SimFrameReader.h"

namespace kx5sim {

std::vector<std::string> SimFrameReader::feed(std::string_view bytes) {
    std::vector<std::string> frames;
    for (char c : bytes) {
        if (c == 0x02) {
            mBuf.assign(1, c);
            mInFrame = true;
            continue;
        }
        if (!mInFrame) continue;
        if (mBuf.size() >= kMaxFrame) {
            mBuf.clear();
            mInFrame = false;
            continue;
        }
        mBuf += c;
        if (c == 0x0A) {
            frames.push_back(std::move(mBuf));
            mBuf.clear();
            mInFrame = false;
        }
    }
    return frames;
}

} // namespace kx5sim
