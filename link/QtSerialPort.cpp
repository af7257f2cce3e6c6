#include "link/QtSerialPort.h"

#include "link/mdlKX5.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
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

bool QtSerialPort::applySettings(QSerialPort& port, const LineSettings& s, PortFault* why) {
    // The field's text is the value's own: the link names it as its settings hold it.
    auto fail = [&](PortFault::Field field, const QString& text) {
        if (why)
            *why = PortFault{.kind = PortFault::Kind::BadSettings, .field = field, .text = text};
        return false;
    };
    using F = PortFault::Field;
    using P = LineSettings::Parity;
    using S = LineSettings::StopBits;
    if (s.baud <= 0) return fail(F::Baud, QString::number(s.baud));
    static const std::pair<P, QSerialPort::Parity> parities[] = {
        {P::None, QSerialPort::NoParity},
        {P::Even, QSerialPort::EvenParity},
        {P::Odd, QSerialPort::OddParity},
        {P::Mark, QSerialPort::MarkParity},
        {P::Space, QSerialPort::SpaceParity}};
    const auto parity = std::find_if(std::begin(parities), std::end(parities),
                                     [&](const auto& p) { return p.first == s.parity; });
    if (parity == std::end(parities)) return fail(F::Parity, {});
    if (s.dataBits < 5 || s.dataBits > 8) return fail(F::DataBits, QString::number(s.dataBits));
    const QSerialPort::DataBits bits = static_cast<QSerialPort::DataBits>(s.dataBits);
    QSerialPort::StopBits stop;
    switch (s.stopBits) {
    case S::One:
        stop = QSerialPort::OneStop;
        break;
    case S::OneAndHalf:
        stop = QSerialPort::OneAndHalfStop;
        break;
    case S::Two:
        stop = QSerialPort::TwoStop;
        break;
    default:
        return fail(F::StopBits, {});
    }
    if (!port.setBaudRate(s.baud) || !port.setParity(parity->second) || !port.setDataBits(bits) ||
        !port.setStopBits(stop))
        return fail(F::Accepted, s.text());
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
