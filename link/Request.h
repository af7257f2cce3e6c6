// A request from a window to the link, as one value: the step, the station it is addressed
// to (resolved when the request is made), the registers and the values. Windows hand it to a
// RequestSink and never touch the link's state; the link answers at once whether it took it,
// and later, through its requestEnded signal, how it ended. The link says both as facts; the
// windows word them.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

struct Request {
    int step = 0;             // kStep... (Steps.h)
    int mcNo = 0;             // station addressed, 1 to 99
    std::vector<int> regs;    // registers of steps 120, 121, 220; the step table's otherwise
    std::vector<int> values;  // values to write, parallel to the registers
    std::vector<int> values2; // step 105 only: the 8 values of 612 to 619 for its second half
    // After a write its blocks are read again, so the map shows what the controller kept; a
    // caller that reads the whole station once it is done leaves that out.
    bool readBack = true;
    // After the acknowledgement, read back exactly the registers written, and end only when
    // that read is in: what is served then is what the controller reports (the gateway).
    bool readBackWritten = false;
    // A read of this one parameter block (1 to 4) alone; 0: all four.
    int block = 0;
    // Who asks: 0 the windows; every other source (a gateway client, the background read of
    // the images) waits its turn in rotation with them.
    int source = 0;
    // The longest each of its frames waits for the controller's answer, counted from when it
    // was handed to the port; 0: the link's own wait, worked out from the line's wire time. Never
    // shorter than the frames' wire time and a short allowance, so no answer can be too late.
    int replyWaitMs = 0;

    // Read the four parameter blocks of a station into the parameter data grid.
    static Request readAll(int mcNo);
    // Read one of them (1 to 4).
    static Request readBlock(int mcNo, int block);
    // A group write of the step table (101 to 109) with its values in frame order.
    static Request groupWrite(int step, int mcNo, std::vector<int> values);
    // The input group: 610, 611 now, 612 to 619 after the controller's pause.
    static Request inputWrite(int mcNo, std::vector<int> first, std::vector<int> second);
    // One register of the selected station (recorder keys, print speed).
    static Request writeOne(int mcNo, int reg, int value);
    // One register of a station picked in a row of the multi-monitoring window.
    static Request writeOneOf(int mcNo, int reg, int value);
    // The six clock registers 520 to 525.
    static Request clock(int mcNo, std::vector<int> values);

    bool isWrite() const;
    friend bool operator==(const Request&, const Request&) = default;
};

// Why the link did not take a request.
enum class Refusal {
    None,
    NotRequestable, // not a step the link takes as a request
    PortClosed,
    PortClosing,
    Reopening, // the port was lost and is being reopened
    Checking,  // the model sweep runs
    NotInUse,  // the station is not in use
    NotAnswered,
    Incomplete // a write without all its values
};

// How a request ended, as requestEnded reports it.
enum class RequestOutcome {
    Done,          // acknowledged (a write) or read in
    GivenUp,       // three reply waits ran out: not confirmed
    Refused,       // the controller answered NG three times
    Replaced,      // a newer request took its place before it was sent or finished
    Dropped,       // the port closed or was lost before it went out or was confirmed
    SecondHalfLost // input group: 610/611 written, 612 to 619 not
};

// What befell a request that did not end Done, beside its outcome.
enum class EndCause {
    None,
    NotSent,     // it never went out (replaced, or the port closed first)
    NotFinished, // it went out, but was not confirmed or finished
    PortClosed,  // the input group's second half: the port closed in the pause
    Refused,     // NG three times
    Unanswered   // three reply waits ran out
};

// One request handed to the link, followed to its end: finished() is emitted once, after the
// request's own read-back when it has one, from the event loop (never from within the link).
class LinkReply : public QObject {
    Q_OBJECT
public:
    explicit LinkReply(const Request& r) : m_request(r) {}
    const Request& request() const { return m_request; }
    bool isFinished() const { return m_finished; }
    RequestOutcome outcome() const { return m_outcome; }
    EndCause cause() const { return m_cause; }
    // Why it was not taken (None when it was), and the port that was lost when that is why.
    Refusal refusal() const { return m_refusal; }
    const QString& port() const { return m_port; }
    // The link ends it; a second end is ignored.
    void end(RequestOutcome o, EndCause cause, Refusal refusal = Refusal::None,
             const QString& port = {}) {
        if (m_finished) return;
        m_finished = true;
        m_outcome = o;
        m_cause = cause;
        m_refusal = refusal;
        m_port = port;
        // Later, from the event loop: whoever hears it may ask the link again at once.
        QMetaObject::invokeMethod(this, &LinkReply::finished, Qt::QueuedConnection);
    }

signals:
    void finished();

private:
    Request m_request;
    bool m_finished = false;
    RequestOutcome m_outcome = RequestOutcome::Dropped;
    EndCause m_cause = EndCause::None;
    Refusal m_refusal = Refusal::None;
    QString m_port;
};

// What request() says at once.
struct RequestReply {
    bool taken = false;
    Refusal why = Refusal::None; // when not taken
    QString port{};              // Reopening: the port that was lost
    Request request{};           // what was asked
};

// The link as a window sees it.
class RequestSink {
public:
    virtual ~RequestSink() = default;
    virtual RequestReply request(const Request& r) = 0;
    // The station parameter work is addressed to (0 = none yet).
    virtual int selectedMcNo() const = 0;
};
