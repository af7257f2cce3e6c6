#include "link/QtSerialPort.h"

#include "link/mdlKX5.h"

#include <QFile>
#include <QFileInfo>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

QString systemPortName(const QString& configured) {
    if (configured.startsWith(QLatin1Char('/'))) return configured;
    const int n = portNumber(configured);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

int portNumber(const QString& configured) {
    return cInt(configured.mid(3));
}

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::applySettings(QSerialPort& port, const QString& settings, PortFault* why) {
    const QStringList f = settings.split(QLatin1Char(','));
    auto fail = [&](PortFault::Field field, const QString& text) {
        if (why)
            *why = PortFault{.kind = PortFault::Kind::BadSettings, .field = field, .text = text};
        return false;
    };
    using F = PortFault::Field;
    if (f.size() != 4) return fail(F::All, settings);
    bool ok = false;
    const int baud = f[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0) return fail(F::Baud, f[0]);
    QSerialPort::Parity parity;
    const QString p = f[1].trimmed().toUpper();
    if (p == QLatin1String("N"))
        parity = QSerialPort::NoParity;
    else if (p == QLatin1String("E"))
        parity = QSerialPort::EvenParity;
    else if (p == QLatin1String("O"))
        parity = QSerialPort::OddParity;
    else if (p == QLatin1String("M"))
        parity = QSerialPort::MarkParity;
    else if (p == QLatin1String("S"))
        parity = QSerialPort::SpaceParity;
    else
        return fail(F::Parity, f[1]);
    QSerialPort::DataBits bits;
    switch (f[2].trimmed().toInt()) {
    case 5:
        bits = QSerialPort::Data5;
        break;
    case 6:
        bits = QSerialPort::Data6;
        break;
    case 7:
        bits = QSerialPort::Data7;
        break;
    case 8:
        bits = QSerialPort::Data8;
        break;
    default:
        return fail(F::DataBits, f[2]);
    }
    QSerialPort::StopBits stop;
    const QString s = f[3].trimmed();
    if (s == QLatin1String("1"))
        stop = QSerialPort::OneStop;
    else if (s == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    else if (s == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else
        return fail(F::StopBits, f[3]);
    if (!port.setBaudRate(baud) || !port.setParity(parity) || !port.setDataBits(bits) ||
        !port.setStopBits(stop))
        return fail(F::Accepted, settings);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

PortFault QtSerialPort::describe(QSerialPort::SerialPortError error, const QString& qtText) {
    using K = PortFault::Kind;
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return {.kind = K::NoSuchPort};
    case QSerialPort::PermissionError:
        return {.kind = K::InUseOrDenied};
    case QSerialPort::OpenError:
        return {.kind = K::AlreadyOpen};
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        return {.kind = K::Gone};
    case QSerialPort::WriteError:
        return {.kind = K::CannotWrite};
    case QSerialPort::UnsupportedOperationError:
        return {.kind = K::Unsupported};
    default:
        return {.kind = K::Other, .text = qtText};
    }
}

PortFault QtSerialPort::describeOpenFailure(const QString& path, QSerialPort::SerialPortError error,
                                            const QString& qtText) {
    if (error != QSerialPort::PermissionError) return describe(error, qtText);
#ifdef Q_OS_UNIX
    const QString device =
        path.startsWith(QLatin1Char('/')) ? path : QStringLiteral("/dev/") + path;
    if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        // Serial devices belong to a group (dialout on Debian and Ubuntu) that users join once.
        QString group = QFileInfo(device).group();
        if (group.isEmpty() || group == QLatin1String("root")) group = QStringLiteral("dialout");
        return {.kind = PortFault::Kind::NoPermission,
                .device = device,
                .group = group,
                .osError = EACCES};
    }
    return {.kind = PortFault::Kind::InUse};
#else
    Q_UNUSED(path);
    return describe(error, qtText);
#endif
}

bool QtSerialPort::open() {
    if (m_port.isOpen()) m_port.close();
    m_port.setPortName(systemPortName(m_name));
    m_opening = true;
    const bool ok = m_port.open(QIODevice::ReadWrite);
    m_opening = false;
    if (!ok) {
        m_error = describeOpenFailure(systemPortName(m_name), m_port.error(), m_port.errorString());
        m_port.clearError();
        return false;
    }
    PortFault why;
    if (!applySettings(m_port, m_settings, &why)) {
        m_port.close();
        m_error = why;
        return false;
    }
    m_port.clear(QSerialPort::AllDirections);
    m_error = {};
    return true;
}

void QtSerialPort::close() {
    if (m_port.isOpen()) m_port.close();
}

void QtSerialPort::flushInput() {
    if (!m_port.isOpen()) return;
    m_port.clear(QSerialPort::Input);
    m_port.readAll(); // what Qt had already buffered
}

QByteArray QtSerialPort::readAll() {
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen()) return false;
    return m_port.write(bytes) == bytes.size();
}

void QtSerialPort::onReadyRead() {
    if (m_port.bytesAvailable() >= m_threshold) emit received();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (m_opening || error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!m_port.isOpen()) return;
    m_error = describe(error, m_port.errorString());
    m_port.clearError();
    // A vanished device keeps reporting itself open; the link closes it on this signal.
    emit failed(m_error);
}
