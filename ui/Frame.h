// Views draw what changed at the next frame (60 a second): the changes of one frame are drawn
// once, and nothing is drawn while nothing changes.
#pragma once

constexpr int kFrameMs = 16;
