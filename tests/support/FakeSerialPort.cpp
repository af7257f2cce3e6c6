#include "tests/support/FakeSerialPort.h"

bool FakeSerialPort::open() {
    ++openCount;
    if (!m_openFailure.isEmpty()) {
        m_error = m_openFailure;
        m_openFailure.clear();
        return false;
    }
    m_error.clear();
    m_open = true;
    return true;
}

bool FakeSerialPort::write(const QByteArray& bytes) {
    if (!m_open) return false;
    if (m_failWrites) {
        emit failed(QStringLiteral("write failed"));
        return false;
    }
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
