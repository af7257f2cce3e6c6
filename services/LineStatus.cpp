#include "services/LineStatus.h"

#include "link/KX5Link.h"

LineStatus::LineStatus(KX5Link* link, QObject* parent) : QObject(parent) {
    connect(link, &KX5Link::portStateChanged, this, [this](bool open) {
        if (m_open == open) return;
        m_open = open;
        emit portChanged();
    });
    connect(link, &KX5Link::noted, this, [this](const LinkNote& n) {
        if (n.kind == LinkNote::Kind::Clear)
            clear();
        else
            say(StatusMessage{.source = StatusMessage::Source::Link, .note = n});
    });
    // A request that failed for good is said until something else is.
    connect(link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome o, EndCause cause) {
                if (o == RequestOutcome::SecondHalfLost || o == RequestOutcome::Refused ||
                    o == RequestOutcome::GivenUp)
                    say(StatusMessage{.source = StatusMessage::Source::Request,
                                      .request = r,
                                      .outcome = o,
                                      .cause = cause});
            });
}

void LineStatus::setPort(const PortSettings& s) {
    if (s == m_port) return;
    m_port = s;
    emit portChanged();
}

void LineStatus::say(const StatusMessage& m) {
    if (m == m_message) return;
    m_message = m;
    emit messageChanged();
}

void LineStatus::say(StatusMessage::Source source, const FileNotice& said, int key) {
    say(StatusMessage{.source = source, .said = said, .key = key});
}

void LineStatus::clearIf(StatusMessage::Source source, int key) {
    if (m_message.source == source && m_message.key == key) clear();
}
