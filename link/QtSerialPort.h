// The serial port over QSerialPort, with the receive threshold emulated on readyRead.
#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);

    void setPortName(const QString& name) override { m_name = name; }
    QString portName() const override { return m_name; }
    void setSettings(const LineSettings& s) override { m_settings = s; }
    LineSettings settings() const override { return m_settings; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    PortFault fault() const override { return m_error; }

    void setRThreshold(int bytes) override { m_threshold = bytes < 1 ? 1 : bytes; }
    int rThreshold() const override { return m_threshold; }
    void flushInput() override;
    QByteArray readAll() override;
    qint64 bytesAvailable() const override { return m_port.bytesAvailable(); }
    bool write(const QByteArray& bytes) override;

    // Applies the settings to a QSerialPort; false with the field at fault when one is not valid.
    static bool applySettings(QSerialPort& port, const LineSettings& settings, PortFault* why);
    // A port failure as a fault: "no such port", "disconnected or not responding", ...
    static PortFault describe(QSerialPort::SerialPortError error, const QString& qtText);
    // Why opening `path` failed: a permission error is told apart into "in use" and "no
    // access", the second with the group that gives it.
    static PortFault describeOpenFailure(const QString& path, QSerialPort::SerialPortError error,
                                         const QString& qtText);

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_name;
    LineSettings m_settings;
    PortFault m_error;
    int m_threshold = 1;
    bool m_opening = false;
};
