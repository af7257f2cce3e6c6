#include "services/LinkWords.h"

#include "link/Steps.h"
#include "services/LineStatus.h"

#include <QCoreApplication>

// The words keep the contexts of the parts that report the facts ("KX5Link", "Request",
// "QtSerialPort", "LineScanner"), so each keeps its own translations.

namespace {
QString translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

// source with %1 the station and %2 what r does, in both languages.
FileNotice about(const char* source, const Request& r) {
    const FileNotice w = LinkWords::what(r);
    return {QString::fromUtf8(source).arg(r.mcNo).arg(w.logged),
            translated("KX5Link", source).arg(r.mcNo).arg(w.shown)};
}

FileNotice both(const char* context, const char* source, const QStringList& args = {}) {
    return fileNotice(context, source, args);
}
} // namespace

namespace LinkWords {

FileNotice what(const Request& r) {
    static const char* const kKeys[] = {
        QT_TRANSLATE_NOOP("Request", "PRINT key"), QT_TRANSLATE_NOOP("Request", "TEXT key"),
        QT_TRANSLATE_NOOP("Request", "LIST key"),  QT_TRANSLATE_NOOP("Request", "FEED key"),
        QT_TRANSLATE_NOOP("Request", "ZOOM key"),  QT_TRANSLATE_NOOP("Request", "print speed")};
    switch (r.step) {
    case kStepReadAll1:
    case kStepReadAll2:
    case kStepReadAll3:
    case kStepReadAll4:
        return both("Request", QT_TRANSLATE_NOOP("Request", "parameter read"));
    case kStepWriteAlarm:
        return both("Request", QT_TRANSLATE_NOOP("Request", "alarm group"));
    case kStepWriteAT:
        return both("Request", QT_TRANSLATE_NOOP("Request", "auto-tuning group"));
    case kStepWriteControl:
        return both("Request", QT_TRANSLATE_NOOP("Request", "control group"));
    case kStepWriteInput1:
        return both("Request", QT_TRANSLATE_NOOP("Request", "input group"));
    case kStepWriteInput2:
        return both("Request", QT_TRANSLATE_NOOP("Request", "input group (612-619)"));
    case kStepWriteOutput:
        return both("Request", QT_TRANSLATE_NOOP("Request", "output group"));
    case kStepWritePID:
        return both("Request", QT_TRANSLATE_NOOP("Request", "PID group"));
    case kStepWriteSV:
        return both("Request", QT_TRANSLATE_NOOP("Request", "SV group"));
    case kStepWriteClock:
        return both("Request", QT_TRANSLATE_NOOP("Request", "clock"));
    case kStepWriteOne:
    case kStepWriteOnePolled:
        if (!r.regs.empty() && r.regs[0] >= 501 && r.regs[0] <= 506)
            return both("Request", kKeys[r.regs[0] - 501]);
        return both("Request", QT_TRANSLATE_NOOP("Request", "register %1"),
                    {QString::number(r.regs.empty() ? 0 : r.regs[0])});
    default:
        return both("Request", QT_TRANSLATE_NOOP("Request", "step %1"), {QString::number(r.step)});
    }
}

FileNotice ended(const Request& r, RequestOutcome outcome, EndCause cause) {
    const bool read = !r.isWrite();
    const bool refused = cause == EndCause::Refused;
    switch (outcome) {
    case RequestOutcome::Done:
        return read ? about(QT_TRANSLATE_NOOP("KX5Link", "MC [%1] parameters read"), r)
                    : about(QT_TRANSLATE_NOOP("KX5Link", "MC [%1] %2 written"), r);
    case RequestOutcome::Replaced:
        return cause == EndCause::NotSent
                   ? about(QT_TRANSLATE_NOOP("KX5Link",
                                             "MC [%1] %2 replaced by a newer request: not sent"),
                           r)
                   : about(QT_TRANSLATE_NOOP(
                               "KX5Link", "MC [%1] %2 replaced by a newer request: not finished"),
                           r);
    case RequestOutcome::Dropped:
        return cause == EndCause::NotSent
                   ? about(QT_TRANSLATE_NOOP("KX5Link", "MC [%1] %2 not sent: the port closed"), r)
                   : about(
                         QT_TRANSLATE_NOOP("KX5Link", "MC [%1] %2 not confirmed: the port closed"),
                         r);
    case RequestOutcome::SecondHalfLost:
        if (cause == EndCause::PortClosed)
            return about(
                QT_TRANSLATE_NOOP(
                    "KX5Link", "MC [%1] ==> NG: input group 612-619 not written (the port closed)"),
                r);
        return refused ? about(QT_TRANSLATE_NOOP("KX5Link",
                                                 "MC [%1] ==> NG: input group 612-619 refused"),
                               r)
                       : about(QT_TRANSLATE_NOOP("KX5Link",
                                                 "MC [%1] ==> NG: input group 612-619 not written"),
                               r);
    case RequestOutcome::Refused:
    case RequestOutcome::GivenUp:
        if (read)
            return refused ? about(QT_TRANSLATE_NOOP("KX5Link",
                                                     "MC [%1] ==> NG: parameter read refused"),
                                   r)
                           : about(QT_TRANSLATE_NOOP(
                                       "KX5Link", "MC [%1] ==> NG: parameter read not confirmed"),
                                   r);
        return refused ? about(QT_TRANSLATE_NOOP("KX5Link", "MC [%1] ==> NG: %2 refused"), r)
                       : about(QT_TRANSLATE_NOOP("KX5Link", "MC [%1] ==> NG: %2 not confirmed"), r);
    }
    return {};
}

FileNotice ended(const LinkReply& reply) {
    if (reply.refusal() != Refusal::None) {
        const QString why = refusal(reply.request(), reply.refusal(), reply.port());
        return {why, why};
    }
    return ended(reply.request(), reply.outcome(), reply.cause());
}

QString refusal(const Request& r, Refusal why, const QString& port) {
    const QString w = what(r).shown;
    switch (why) {
    case Refusal::None:
        return {};
    case Refusal::NotRequestable:
        return QCoreApplication::translate("KX5Link", "Not a request the link takes (step %1).")
            .arg(r.step);
    case Refusal::PortClosed:
        return QCoreApplication::translate("KX5Link", "The port is closed: %1 not sent.").arg(w);
    case Refusal::PortClosing:
        return QCoreApplication::translate("KX5Link", "The port is closing: %1 not sent.").arg(w);
    case Refusal::Reopening:
        return QCoreApplication::translate("KX5Link", "Port %1 lost, reopening: %2 not sent.")
            .arg(port, w);
    case Refusal::Checking:
        return QCoreApplication::translate("KX5Link",
                                           "Checking the stations (Connect status): %1 not sent. "
                                           "Try again when the check has finished.")
            .arg(w);
    case Refusal::NotInUse:
        return QCoreApplication::translate("KX5Link", "MC %1 is not in use: %2 not sent.")
            .arg(r.mcNo)
            .arg(w);
    case Refusal::NotAnswered:
        return QCoreApplication::translate("KX5Link", "MC %1 has not answered: %2 not sent.")
            .arg(r.mcNo)
            .arg(w);
    case Refusal::Incomplete:
        return QCoreApplication::translate("KX5Link", "%1: incomplete values, not sent.").arg(w);
    }
    return {};
}

QString refusal(const RequestReply& reply) {
    return refusal(reply.request, reply.why, reply.port);
}

FileNotice fault(const PortFault& f) {
    using K = PortFault::Kind;
    using F = PortFault::Field;
    const char* c = "QtSerialPort";
    switch (f.kind) {
    case K::None:
        return {};
    case K::NoSuchPort:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "no such port"));
    case K::InUse:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "port in use by another program"));
    case K::InUseOrDenied:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort",
                                         "port in use by another program or access denied"));
    case K::NoPermission:
        return both(c,
                    QT_TRANSLATE_NOOP("QtSerialPort",
                                      "no permission to use %1: run \"sudo usermod -aG %2 $USER\", "
                                      "then log out and in again"),
                    {f.device, f.group});
    case K::AlreadyOpen:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "port is already open"));
    case K::Gone:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "device disconnected or not responding"));
    case K::CannotWrite:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "cannot write to the device"));
    case K::Unsupported:
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "settings not supported by the device"));
    case K::BadSettings:
        switch (f.field) {
        case F::All:
            return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "line settings \"%1\" are incomplete"),
                        {f.text});
        case F::Baud:
            return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "baud rate \"%1\" is not a number"),
                        {f.text});
        case F::Parity:
            return both(c,
                        QT_TRANSLATE_NOOP("QtSerialPort", "parity \"%1\" is not N, E, O, M or S"),
                        {f.text});
        case F::DataBits:
            return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "data bits \"%1\" are not 5 to 8"),
                        {f.text});
        case F::StopBits:
            return both(c,
                        QT_TRANSLATE_NOOP("QtSerialPort", "stop bits \"%1\" are not 1, 1.5 or 2"),
                        {f.text});
        case F::Accepted:
            return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "the port does not accept %1"),
                        {f.text});
        }
        break;
    case K::Other:
        if (!f.text.isEmpty()) return {f.text, f.text}; // the system's own words
        return both(c, QT_TRANSLATE_NOOP("QtSerialPort", "port error"));
    }
    return {};
}

QString note(const LinkNote& n) {
    using K = LinkNote::Kind;
    const QString cause = fault(n.fault).shown;
    switch (n.kind) {
    case K::Clear:
        return QString();
    case K::NoStations:
        return QCoreApplication::translate("KX5Link",
                                           "No MC in use: choose the stations in Use MC Setting");
    case K::Checking:
        return QCoreApplication::translate("KX5Link", "Checking ... (Connect status)");
    case K::CannotOpen:
        return QCoreApplication::translate("KX5Link", "Cannot open %1: %2").arg(n.port, cause);
    case K::CannotOpenRetrying:
        return QCoreApplication::translate("KX5Link", "Cannot open %1: %2; trying again")
            .arg(n.port, cause);
    case K::CannotOpenAttempt:
        return QCoreApplication::translate("KX5Link",
                                           "Cannot open %1: %2; trying again (attempt %3)")
            .arg(n.port, cause)
            .arg(n.number);
    case K::PortClosed:
        return QCoreApplication::translate("KX5Link", "Port %1 closed: %2").arg(n.port, cause);
    case K::PortLost:
        return QCoreApplication::translate("KX5Link", "Port %1 lost: reopening").arg(n.port);
    case K::PortLostAttempt:
        return QCoreApplication::translate("KX5Link", "Port %1 lost: reopening (attempt %2)")
            .arg(n.port)
            .arg(n.number);
    case K::StationSilent:
        return QCoreApplication::translate("KX5Link", "MC [%1] ==> NG").arg(n.mcNo);
    case K::NobodyAnswered:
        return QCoreApplication::translate("KX5Link", "No station answered at %1").arg(n.settings);
    case K::NobodyAnsweredRetrying:
        return QCoreApplication::translate("KX5Link",
                                           "No station answered at %1: asking again in %2 s")
            .arg(n.settings)
            .arg(n.number);
    }
    return QString();
}

QString scanProblem(const ScanProblem& p) {
    using K = ScanProblem::Kind;
    switch (p.kind) {
    case K::None:
        return {};
    case K::Running:
        return QCoreApplication::translate("LineScanner", "A scan is already running.");
    case K::LinkOpen:
        return QCoreApplication::translate(
                   "LineScanner", "The port %1 is open for polling. Close the port (Port Close) "
                                  "before scanning the line.")
            .arg(p.port);
    case K::Nothing:
        return QCoreApplication::translate("LineScanner", "Nothing to scan.");
    case K::CannotOpen:
        return QCoreApplication::translate("LineScanner",
                                           "The port %1 could not be opened at %2: %3")
            .arg(p.port, p.settings, fault(p.fault).shown);
    case K::PortFailed:
        return QCoreApplication::translate("LineScanner", "The port %1 failed during the scan: %2")
            .arg(p.port, fault(p.fault).shown);
    }
    return {};
}

QString portState(bool open) {
    //: the port's state in the status bar
    return open ? QCoreApplication::translate("KX5Link", "OPEN")
                : QCoreApplication::translate("KX5Link", "CLOSE");
}

QString shown(const StatusMessage& m) {
    using S = StatusMessage::Source;
    switch (m.source) {
    case S::None:
        return {};
    case S::Link:
        return note(m.note);
    case S::Request:
        return ended(m.request, m.outcome, m.cause).shown;
    default:
        return m.said.shown;
    }
}

} // namespace LinkWords
