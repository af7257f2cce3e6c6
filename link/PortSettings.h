// The line's settings as one typed value: what Comm.CFG holds, loaded by files/ and handed to
// the link, the line scan, the port window and the headless run; the serial port takes its
// LineSettings. Text only where Comm.CFG is read or written and where a window shows it.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What the serial port is set to. It may hold values no port takes, as Comm.CFG may: the port
// refuses them by field (baud not above 0, data bits not 5 to 8, Unusable parity or stop bits).
struct LineSettings {
    enum class Parity { None, Even, Odd, Mark, Space, Unusable };
    enum class StopBits { One, OneAndHalf, Two, Unusable };
    int baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    // Bits a character takes: start + data + parity + stop (8, Even, 1 gives 11).
    double charBits() const;
    // One character's wire time in ms.
    double charMs() const;
    // "9600,N,8,1", as a window or a trace shows it.
    QString text() const;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

struct PortSettings {
    enum class Protocol { Std, Sum };
    // Comm.CFG's lines, from 1.
    enum Line { kPort = 1, kBaud, kParity, kDataBits, kStopBits, kProtocol };

    QString port = QStringLiteral("COM1");
    LineSettings line;
    Protocol protocol = Protocol::Std;
    // The lines whose text is not their value's own (" 9600", "e", "std", "abc"): shown and
    // written back as they stand, so nothing the user wrote is lost. A field set anew drops
    // its line from here.
    QMap<int, QString> asWritten;

    // Line k of Comm.CFG (or the port window's box k) into its field: any text is taken, as
    // the port takes it (blanks around a number, a parity letter in either case); only exactly
    // "STD" is the protocol without checksum.
    void setText(int k, const QString& text);
    // The six lines as they are written and shown.
    QString text(int k) const;
    static PortSettings fromLines(const QStringList& six);

    // Checksum characters in a frame: only Std frames go without one.
    int sumLen() const { return protocol == Protocol::Std ? 0 : 2; }
    // "9600,N,8,1": the line settings as the status bar shows them.
    QString commText() const;
    // "9600 8N1 STD": the settings in the words a hint gives them.
    QString lineText() const;
    // The values no port takes, as their lines of Comm.CFG (2 the baud rate, 3 the parity, 4
    // the data bits, 5 the stop bits, 6 a protocol that is neither STD nor SUM).
    QList<int> unusableLines() const;
    // No line of the first five is unusable: an open can succeed once the port is there.
    bool canOpen() const;
    double charMs() const { return line.charMs(); }
    double charBits() const { return line.charBits(); }

    friend bool operator==(const PortSettings&, const PortSettings&) = default;
};
