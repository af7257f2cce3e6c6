// The line's settings as one value: what Comm.CFG holds, loaded by settings/ and handed to the
// link, the line scan, the port window and the headless run.
#pragma once

#include <QString>

struct PortSettings {
    QString port = QStringLiteral("COM1");
    QString baud = QStringLiteral("9600");
    QString parity = QStringLiteral("N");
    QString dataBits = QStringLiteral("8");
    QString stopBits = QStringLiteral("1");
    QString protocol = QStringLiteral("STD");

    // Checksum characters in a frame: only "STD" frames go without one.
    int sumLen() const { return protocol == QLatin1String("STD") ? 0 : 2; }
    // "9600,N,8,1": the line settings text the port takes.
    QString commText() const;
    // "9600 8N1 STD": the settings in the words a hint gives them.
    QString lineText() const;
    // Bits a character takes: start + data + parity + stop ("8","E","1" gives 11).
    double charBits() const;
    // One character's wire time in ms.
    double charMs() const;

    friend bool operator==(const PortSettings&, const PortSettings&) = default;
};
