// How a station's values look once they are no longer current (a failed exchange, a closed or
// lost port): the same in every view, so nothing read before the line went quiet passes for live.
#pragma once

#include "ui/Grid.h"

namespace StaleLook {
constexpr Bgr kText = rgb(128, 128, 128); // figures and table values
constexpr Bgr kLamp = rgb(255, 176, 176); // a lamp that was on when last read
} // namespace StaleLook
