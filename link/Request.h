// A request from a window to the link, as one value: the step, the station it is addressed
// to (resolved when the request is made), the registers and the values. Windows hand it to a
// RequestSink and never touch the link's state; the link answers at once whether it took it,
// and later, through its requestEnded signal, how it ended.
#pragma once

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

    // Read the four parameter blocks of a station into the parameter data grid.
    static Request readAll(int mcNo);
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
