#include "services/LineTexts.h"

#include "link/KX5Link.h"
#include "link/SerialPort.h"

#include <QCoreApplication>

// The link's words keep the link's name as their context, so their translations stay theirs.

LineTexts::LineTexts(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    connect(link, &KX5Link::commandChanged, this, &LineTexts::captionsChanged);
    connect(link, &KX5Link::activityChanged, this, &LineTexts::lampsChanged);
}

void LineTexts::followInStatusBar(KX5Link* link, QObject* context) {
    QObject::connect(link, &KX5Link::portStateChanged, context, [link](bool open) {
        //: the port's state in the status bar
        link->setPanel(3, open ? QCoreApplication::translate("KX5Link", "OPEN")
                               : QCoreApplication::translate("KX5Link", "CLOSE"));
    });
    QObject::connect(link, &KX5Link::noted, context,
                     [link](const LinkNote& n) { link->setPanel(4, noteText(n)); });
    // A request that failed for good is said until something else is.
    QObject::connect(
        link, &KX5Link::requestEnded, context,
        [link](const Request&, RequestOutcome o, const QString&, const QString& shown) {
            if (o == RequestOutcome::SecondHalfLost || o == RequestOutcome::Refused ||
                o == RequestOutcome::GivenUp)
                link->setPanel(4, shown);
        });
}

QString LineTexts::portMenuCaption() const {
    return m_link->offersClose() ? QCoreApplication::translate("KX5Link", "Port &Close")
                                 : QCoreApplication::translate("KX5Link", "Port &Open");
}

QString LineTexts::portButtonCaption() const {
    return m_link->offersClose() ? QCoreApplication::translate("KX5Link", "Port Close")
                                 : QCoreApplication::translate("KX5Link", "Port Open");
}

Bgr LineTexts::sendLamp() const {
    return m_link->sending() ? kRed : kBlack;
}

Bgr LineTexts::recvLamp() const {
    return m_link->receiving() ? kGreen : kBlack;
}

QString LineTexts::noteText(const LinkNote& n) {
    using K = LinkNote::Kind;
    switch (n.kind) {
    case K::Clear:
        return QString();
    case K::NoStations:
        return QCoreApplication::translate("KX5Link",
                                           "No MC in use: choose the stations in Use MC Setting");
    case K::Checking:
        return QCoreApplication::translate("KX5Link", "Checking ... (Connect status)");
    case K::CannotOpen:
        return QCoreApplication::translate("KX5Link", "Cannot open %1: %2")
            .arg(n.port, shownCause(n.cause));
    case K::CannotOpenRetrying:
        return QCoreApplication::translate("KX5Link", "Cannot open %1: %2; trying again")
            .arg(n.port, shownCause(n.cause));
    case K::CannotOpenAttempt:
        return QCoreApplication::translate("KX5Link",
                                           "Cannot open %1: %2; trying again (attempt %3)")
            .arg(n.port, shownCause(n.cause))
            .arg(n.number);
    case K::PortClosed:
        return QCoreApplication::translate("KX5Link", "Port %1 closed: %2")
            .arg(n.port, shownCause(n.cause));
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
