#include "link/ReplyAssembler.h"

#include "link/mdlKX5.h"

std::vector<ReplyAssembler::Event> ReplyAssembler::feed(const QByteArray& bytes) {
    std::vector<Event> out;
    for (const char b : bytes) {
        if (b == STX) {
            m_buf = QByteArray(1, STX);
            continue;
        }
        m_buf.append(b);
        if (b == LF) {
            // A handled frame is never extended by stray bytes into a second copy of itself.
            out.push_back({Event::Kind::Frame, m_buf});
            m_buf.clear();
            continue;
        }
        if (m_buf.size() >= 5 && m_buf[3] == 'N' && m_buf[4] == 'G') {
            out.push_back({Event::Kind::Refusal, m_buf});
            m_buf.clear();
            break;
        }
        if (m_buf.size() >= kMaxFrame) {
            out.push_back({Event::Kind::Overflow, m_buf});
            m_buf.clear();
        }
    }
    return out;
}
