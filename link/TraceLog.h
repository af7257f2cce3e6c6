// The communication trace: every frame sent and every block of bytes received, one row each,
// kept as the bytes themselves with the time they passed. A view spells them out a byte to a
// column; nothing is turned into text on the line's path.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <algorithm>
#include <vector>

class TraceLog : public QObject {
    Q_OBJECT
public:
    // At most kRows rows (or as set), then it restarts in row 1. A normal read (two monitor replies
    // are 212 bytes) shows whole; a longer one is cut, with a note of the bytes left out.
    static constexpr int kRows = 500;
    static constexpr int kCols = 399; // byte columns

    struct Row {
        qint64 atMs; // milliseconds since the epoch
        bool sent;
        QByteArray bytes;
    };

    void add(const QByteArray& bytes, bool sent);
    // Without a window to show them, the rows are only passed on as they come: keep fewer.
    void setMaxRows(int rows) { m_maxRows = std::max(1, rows); }
    void clear();
    int rows() const { return int(m_rows.size()); }
    const Row& row(int i) const { return m_rows[size_t(i)]; }

    // "Send" or "Recv".
    QString label(int i) const;
    // The local time the row passed, "yyyy-MM-dd hh:mm:ss.zzz".
    QString timeText(int i) const;
    // Column c (0 .. kCols - 1) of row i: one byte, STX/CR/LF spelled out, the last column
    // "(+N bytes)" when the row is longer than the columns; empty past the row's end.
    QString cell(int i, int c) const;

signals:
    void rowAdded(int i);
    void cleared();

private:
    std::vector<Row> m_rows;
    int m_maxRows = kRows;
};
