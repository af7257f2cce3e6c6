// Why a port would not open or stopped working, as a fact: the windows and the files word it.
#pragma once

#include <QString>

struct PortFault {
    enum class Kind {
        None,
        NoSuchPort,
        InUse,         // another program holds it
        NoPermission,  // the user may not use `device`: joining `group` gives access
        InUseOrDenied, // the system does not tell which
        AlreadyOpen,
        Gone,        // disconnected or not responding
        CannotWrite, // a write failed
        Unsupported, // the device refuses the line settings
        BadSettings, // `field` of the line settings `text` cannot be used
        Other        // `text`: the system's own words, if any
    };
    // Which part of "9600,N,8,1" a BadSettings fault is about.
    enum class Field { All, Baud, Parity, DataBits, StopBits, Accepted };
    Kind kind = Kind::None;
    Field field = Field::All;
    QString text{}; // BadSettings: the field's text (All, Accepted: the whole); Other: the system's
    QString device{}; // NoPermission
    QString group{};  // NoPermission
    int osError = 0;  // the system's error number where it gave one

    bool isNone() const { return kind == Kind::None; }
    bool operator==(const PortFault&) const = default;
};
