// The pure helpers that convert between frame text and register values; what the link knows of
// the line is the line model's (LineModel), the settings are values settings/ loads.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

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
// A register value as a reply carries it: exactly four digits "0"-"9" or "A"-"F", upper case as
// the controllers send them, read as HexToSigned does. Anything else (a lower-case digit, a
// character damaged on the line) is no value at all, never a number counted from its digits.
std::optional<int> valueField(const QByteArray& text);
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
