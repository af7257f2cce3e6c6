// What the status bar shows, as typed entries, with a window or without: the port and its
// line settings (panels 1, 2 and 5), whether it is open (panel 3), and the message of the
// moment (panel 4) with who said it. The status bar and the headless run word it through
// LinkWords; nothing decides anything from the words.
#pragma once

#include "files/FileChecks.h"
#include "link/LinkNote.h"
#include "link/PortSettings.h"
#include "link/Request.h"

#include <QObject>
#include <optional>

class KX5Link;

struct StatusMessage {
    enum class Source {
        None,    // nothing to say
        Link,    // note
        Request, // request, outcome, cause: it failed for good
        DataLog, // said, key: the station whose data could not be saved
        Trace,   // said
        Events,  // said
        Window   // said: a window's own message (settings notes, commands not available)
    };
    Source source = Source::None;
    LinkNote note{};
    Request request{};
    RequestOutcome outcome = RequestOutcome::Done;
    EndCause cause = EndCause::None;
    FileNotice said{};
    int key = 0;

    bool isEmpty() const { return source == Source::None; }
    bool operator==(const StatusMessage&) const = default;
};

class LineStatus : public QObject {
    Q_OBJECT
public:
    // Follows the link from now on: its port state, its notes and the requests that failed for
    // good.
    explicit LineStatus(KX5Link* link, QObject* parent = nullptr);

    const PortSettings& port() const { return m_port; }
    void setPort(const PortSettings& s);
    // Unknown until the port was first opened or closed.
    std::optional<bool> open() const { return m_open; }
    const StatusMessage& message() const { return m_message; }

    void say(const StatusMessage& m);
    void say(StatusMessage::Source source, const FileNotice& said, int key = 0);
    void clear() { say(StatusMessage{}); }
    // Takes the message back only while it is still source's about key.
    void clearIf(StatusMessage::Source source, int key = 0);

signals:
    void messageChanged();
    void portChanged(); // the port, its settings or its state

private:
    PortSettings m_port;
    std::optional<bool> m_open;
    StatusMessage m_message;
};
