// The controller data image shared by the link and every window, and the pure helpers
// that convert between frame text and register values.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// ---- Port configuration (Comm.CFG) ----
inline QString gPort = QStringLiteral("COM1");
inline QString gBaud = QStringLiteral("9600");
inline QString gParity = QStringLiteral("N");
inline QString gDataBit = QStringLiteral("8");
inline QString gStopBit = QStringLiteral("1");
inline QString gProtocol = QStringLiteral("STD");
inline int gSumLen = 0;

// Sets gProtocol and keeps gSumLen in step with it: only "STD" frames go without a checksum.
void setProtocol(const QString& protocol);
// "9600,N,8,1": the line settings text the port takes.
QString commSettingsTextOf(const QString& baud, const QString& parity, const QString& dataBits,
                           const QString& stopBits);

// ---- Station tables (SetEnv.INI) ----
inline std::vector<int> gMC_List;
inline QStringList gMC_Name;
inline std::vector<bool> gMC_OK;
inline int gMC_Last = -1; // highest index; -1 while no station is in use

// Puts every module-wide variable back to its program-start value (tests start from here).
void resetDataImage();

// ---- Frame helpers ----
constexpr char STX = 0x02;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;

// Value of a hexadecimal text; only "0"-"9" and upper-case "A"-"F" count, anything else is 0.
qint64 HexToLong(const QByteArray& text);
inline qint64 HexToLong(const QString& text) {
    return HexToLong(text.toLatin1());
}
// Decimal text of a 4-digit register value; only a leading "F" makes it negative.
QString HexToSigned(const QByteArray& text);
// Upper-case hex of value (negative raised by 65536), left-padded with "0" to width.
QString HexPad(qint64 value, int width);
// Writes the two checksum characters at last-3 and last-2 of a frame ending in sum, CR, LF.
void PutFrameSum(QByteArray& frame);
// True when the characters at last-3 and last-2 match the sum of bytes 1 .. last-4.
bool CheckFrameSum(const QByteArray& frame);

// ---- Number helpers ----
// Decimals of temperature-like values from input type, unit and decimal-point setting.
int DecimalPlaces(int inp, int unit, int dpp);
// "0", "0.0", "0.00", ...
QString numberPattern(int decimals);
// Formats value with the given decimals, as the number pattern does ("-0.5", "12.34").
QString formatDecimals(double value, int decimals);
// The number a text starts with, leading blanks ignored; 0 when it starts with none.
double val(const QString& text);
// Nearest whole number, halves to the even neighbour.
qint64 roundHalfEven(double value);
// val() rounded half to even.
inline int cInt(const QString& text) {
    return static_cast<int>(roundHalfEven(val(text)));
}
