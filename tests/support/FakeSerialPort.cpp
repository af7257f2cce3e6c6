#include "tests/support/FakeSerialPort.h"

#include <utility>

bool FakeSerialPort::open() {
    ++openCount;
    if (!m_openFailure.isNone()) {
        m_error = std::exchange(m_openFailure, PortFault{});
        return false;
    }
    m_error = {};
    m_open = true;
    return true;
}

bool FakeSerialPort::write(const QByteArray& bytes) {
    if (!m_open) return false;
    writes.append(bytes);
    return true;
}

void FakeSerialPort::feed(const QByteArray& bytes, bool notify) {
    m_input.append(bytes);
    if (notify && m_input.size() >= m_threshold) emit received();
}

QByteArray FakeSerialPort::takeWritten() {
    QByteArray all;
    for (const auto& w : writes)
        all.append(w);
    writes.clear();
    return all;
}
