// What the link has to say about the line, as a value: the window words it for the status bar.
#pragma once

#include "link/PortFault.h"

#include <QString>

struct LinkNote {
    enum class Kind {
        Clear,                  // nothing to say any more
        NoStations,             // no station in use: nothing to open the port for
        Checking,               // the stations are being asked for their model
        CannotOpen,             // port, fault
        CannotOpenRetrying,     // port, fault: tried again as a lost port is
        CannotOpenAttempt,      // port, fault, attempt
        PortClosed,             // port, fault: it failed while open
        PortLost,               // port: failed while open, being reopened
        PortLostAttempt,        // port, attempt
        StationSilent,          // mcNo: did not answer the model query
        NobodyAnswered,         // settings ("9600 8N1 STD"): the port closed
        NobodyAnsweredRetrying, // settings, seconds until the next sweep
    };
    Kind kind = Kind::Clear;
    QString port{};
    PortFault fault{};
    QString settings{};
    int mcNo = 0;
    int number = 0; // the attempt, or seconds

    bool operator==(const LinkNote&) const = default;
};
