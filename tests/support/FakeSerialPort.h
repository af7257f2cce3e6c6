// An in-memory serial port for tests: feed the bytes a controller would send, read what the
// link wrote, make opening fail, or make the port fail while open.
#pragma once

#include "link/SerialPort.h"

#include <QList>

class FakeSerialPort : public SerialPort {
    Q_OBJECT
public:
    using SerialPort::SerialPort;

    void setPortName(const QString& name) override { m_name = name; }
    QString portName() const override { return m_name; }
    void setSettings(const LineSettings& s) override { m_settings = s; }
    LineSettings settings() const override { return m_settings; }

    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    PortFault fault() const override { return m_error; }

    void setRThreshold(int bytes) override { m_threshold = bytes; }
    int rThreshold() const override { return m_threshold; }
    void flushInput() override {
        m_input.clear();
        ++flushCount;
    }
    QByteArray readAll() override {
        QByteArray b = m_input;
        m_input.clear();
        return b;
    }
    qint64 bytesAvailable() const override { return m_input.size(); }
    bool write(const QByteArray& bytes) override;

    // ---- test controls ----
    // Appends bytes to the input and raises received() when the threshold is met.
    void feed(const QByteArray& bytes, bool notify = true);
    // The next open() fails with this fault (None: opening works again).
    void failNextOpen(const PortFault& why = {.kind = PortFault::Kind::NoSuchPort}) {
        m_openFailure = why;
    }
    // Simulates the device vanishing: raises failed(why); the port still reports open,
    // as QSerialPort does.
    void injectFailure(const PortFault& why = {.kind = PortFault::Kind::Gone}) { emit failed(why); }
    QByteArray takeWritten();

    QList<QByteArray> writes; // every write, in order
    int flushCount = 0;
    int openCount = 0;

private:
    QString m_name;
    LineSettings m_settings;
    PortFault m_error, m_openFailure;
    bool m_open = false;
    int m_threshold = 1;
    QByteArray m_input;
};
