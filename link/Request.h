// A request from a window to the link, as one value: the step, the station it is addressed
// to (resolved when the request is made), the registers and the values. Windows hand it to a
// RequestSink and never touch the link's state; the link answers at once whether it took it,
// and later, through its requestEnded signal, how it ended.
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
    // "FEED key", "SV group", "clock": what the request does, for the events file.
    QString what() const;
    // The same in the user's language, for windows.
    QString shownWhat() const;
    friend bool operator==(const Request&, const Request&) = default;

private:
    QString describe(bool shown) const;
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

// One request handed to the link, followed to its end: finished() is emitted once, after the
// request's own read-back when it has one, from the event loop (never from within the link).
class LinkReply : public QObject {
    Q_OBJECT
public:
    explicit LinkReply(const Request& r) : m_request(r) {}
    const Request& request() const { return m_request; }
    bool isFinished() const { return m_finished; }
    RequestOutcome outcome() const { return m_outcome; }
    // Why it was not taken, in the user's words; empty when it was.
    const QString& refusal() const { return m_refusal; }
    // How it ended, in English for files and in the user's language.
    const QString& text() const { return m_text; }
    const QString& shown() const { return m_shown; }
    // The link ends it; a second end is ignored.
    void end(RequestOutcome o, const QString& text, const QString& shown,
             const QString& refusal = {}) {
        if (m_finished) return;
        m_finished = true;
        m_outcome = o;
        m_text = text;
        m_shown = shown;
        m_refusal = refusal;
        // Later, from the event loop: whoever hears it may ask the link again at once.
        QMetaObject::invokeMethod(this, &LinkReply::finished, Qt::QueuedConnection);
    }

signals:
    void finished();

private:
    Request m_request;
    bool m_finished = false;
    RequestOutcome m_outcome = RequestOutcome::Dropped;
    QString m_refusal, m_text, m_shown;
};

// What request() says at once.
struct RequestReply {
    bool taken = false;
    QString refusal; // why not, in words for the user, when not taken
};

// The link as a window sees it.
class RequestSink {
public:
    virtual ~RequestSink() = default;
    virtual RequestReply request(const Request& r) = 0;
    // The station parameter work is addressed to (0 = none yet).
    virtual int selectedMcNo() const = 0;
};
