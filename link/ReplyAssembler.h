// Assembles reply frames from the bytes of the line: bytes in, complete frames and refusals
// out. It owns the frame being assembled; the link only acts on what it yields.
#pragma once

#include <QByteArray>
#include <vector>

class ReplyAssembler {
public:
    // The longest reply (a read of 32 registers with checksum) is 173 bytes; anything far
    // beyond is a line that never ends a frame, and is dropped rather than kept growing.
    static constexpr int kMaxFrame = 256;

    struct Event {
        enum class Kind {
            Frame,   // STX .. LF (or whatever came before the LF when no STX came first)
            Refusal, // "NG" at offsets 3 and 4; the rest of that read is not looked at
            Overflow // kMaxFrame bytes without an LF: the frame so far is dropped
        };
        Kind kind;
        QByteArray bytes;
    };

    // The events that these bytes complete, in order. After a refusal the remaining bytes of
    // the same read are dropped.
    std::vector<Event> feed(const QByteArray& bytes);
    // A new request is going out: whatever was being assembled belongs to an older one.
    void reset() { m_buf.clear(); }
    int pending() const { return static_cast<int>(m_buf.size()); }

private:
    QByteArray m_buf;
};
