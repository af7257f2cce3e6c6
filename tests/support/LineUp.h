// Brings a link on the in-memory port up as a line would: the port opens, every station in use
// answers its model query, the selected one its four parameter blocks; then it monitors.
#pragma once

#include "link/KX5Link.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Replies.h"

// False when the link did not reach monitoring (no station in use, the port would not open).
inline bool bringUpOnFakePort(KX5Link& link, FakeSerialPort& port) {
    link.mSetPortOpen_Click();
    for (int k = 0; k < 1000 && port.isOpen() && link.phase() != KX5Link::Phase::Monitoring; ++k) {
        port.writes.clear();
        link.fire(LinkTimer::Send);
        port.feed(answerTo(port.takeWritten(), link.portSettings().sumLen()), false);
        link.fire(LinkTimer::Gather);
    }
    return link.phase() == KX5Link::Phase::Monitoring;
}
