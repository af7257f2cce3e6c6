// The serial line as the link uses it: port name, typed line settings, open state, receive
// threshold, input flush, read of all waiting bytes, write, and a receive notification.
// One implementation runs over QSerialPort, one in memory for tests.
#pragma once

#include "link/PortFault.h"
#include "link/PortSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // "COMn" (port number n) or a device path such as /dev/ttyUSB0.
    virtual void setPortName(const QString& name) = 0;
    virtual QString portName() const = 0;
    // Taken at the next open.
    virtual void setSettings(const LineSettings& settings) = 0;
    virtual LineSettings settings() const = 0;

    // Opens the port; false when it cannot be opened, with the cause in fault().
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual PortFault fault() const = 0;

    // Bytes that must be waiting before received() is raised.
    virtual void setRThreshold(int bytes) = 0;
    virtual int rThreshold() const = 0;
    virtual void flushInput() = 0;
    virtual QByteArray readAll() = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Writes the whole array; false when the port failed (failed() follows).
    virtual bool write(const QByteArray& bytes) = 0;

signals:
    // At least the receive threshold of bytes is waiting.
    void received();
    // The port stopped working while open (device gone, I/O error).
    void failed(const PortFault& why);
};

// "COM3" -> the platform's name for port 3; a path starting with "/" stands as it is.
QString systemPortName(const QString& configured);
// "COM12" -> 12: the numeric value of the text from its fourth character on.
int portNumber(const QString& configured);
