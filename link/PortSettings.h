// The line's settings as one value: what Comm.CFG holds, loaded by settings/ and handed to the
// link, the line scan, the port window and the headless run.
#pragma once

#include <QList>
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
    // The values no port takes, as what they are in Comm.CFG (line 2 the baud rate, 3 the
    // parity, 4 the data bits, 5 the stop bits, 6 a protocol that is neither STD nor SUM). The
    // port takes the rules QtSerialPort applies: a whole baud rate above 0, N/E/O/M/S in either
    // case, 5 to 8 data bits, 1, 1.5 or 2 stop bits.
    QList<int> unusableLines() const;
    // No line of the first five is unusable: an open can succeed once the port is there.
    bool canOpen() const;
    // One character's wire time in ms.
    double charMs() const;

    friend bool operator==(const PortSettings&, const PortSettings&) = default;
};
