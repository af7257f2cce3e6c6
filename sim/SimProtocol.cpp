#include "sim/SimProtocol.h"

namespace kx5sim {

namespace {

constexpr char kStx = 0x02;
constexpr char kCr = 0x0D;
constexpr char kLf = 0x0A;
constexpr char kHex[] = "0123456789ABCDEF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1; // lower case is refused like any other non-digit
}

// Value of n decimal digits at pos, or -1.
int decimalAt(std::string_view s, std::size_t pos, std::size_t n) {
    if (pos + n > s.size()) return -1;
    int v = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!isDigit(s[pos + i])) return -1;
        v = v * 10 + (s[pos + i] - '0');
    }
    return v;
}

std::string twoDigits(int v) {
    return {static_cast<char>('0' + (v / 10) % 10), static_cast<char>('0' + v % 10)};
}

std::string hex4(std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    return {kHex[(u >> 12) & 15], kHex[(u >> 8) & 15], kHex[(u >> 4) & 15], kHex[u & 15]};
}

// body is everything after STX and before the checksum.
std::string envelope(const std::string& body, Mode mode) {
    std::string f(1, kStx);
    f += body;
    if (mode == Mode::Sum) {
        const int sum = SimProtocol::checksum(body);
        f += kHex[sum / 16];
        f += kHex[sum % 16];
    }
    f += kCr;
    f += kLf;
    return f;
}

Request refuse(Request r, NgCode code) {
    r.error = code;
    return r;
}

} // namespace

int SimProtocol::checksum(std::string_view bytes) {
    unsigned sum = 0;
    for (char c : bytes)
        sum += static_cast<unsigned char>(c);
    return static_cast<int>(sum % 256);
}

Request SimProtocol::parse(std::string_view frame, Mode mode) {
    Request r;
    if (frame.size() < 3 || frame[0] != kStx) return r;
    r.address = decimalAt(frame, 1, 2);
    if (r.address < 0) return r;

    // Strip the envelope: CR LF, then the checksum in SUM mode.
    if (frame.size() < 5 || frame[frame.size() - 1] != kLf || frame[frame.size() - 2] != kCr)
        return refuse(r, NgCode::Malformed);
    std::string_view body = frame.substr(1, frame.size() - 3);
    if (mode == Mode::Sum) {
        if (body.size() < 4) return refuse(r, NgCode::Checksum);
        const int hi = hexDigit(body[body.size() - 2]);
        const int lo = hexDigit(body[body.size() - 1]);
        body.remove_suffix(2);
        if (hi < 0 || lo < 0 || hi * 16 + lo != checksum(body)) return refuse(r, NgCode::Checksum);
    }
    if (body.size() < 5) return refuse(r, NgCode::UnknownCommand);

    const std::string_view cmd = body.substr(2, 3);
    const std::string_view fields = body.substr(5);
    if (cmd == "WHO") {
        r.kind = Request::Kind::Who;
        return fields.empty() ? r : refuse(r, NgCode::Malformed);
    }
    std::size_t width = 0;
    if (cmd == "DRR") {
        r.kind = Request::Kind::Read;
        width = 5;
    } else if (cmd == "DWR") {
        r.kind = Request::Kind::Write;
        width = 10;
    } else {
        return refuse(r, NgCode::UnknownCommand);
    }

    if (fields.size() < 3 || fields[0] != ',') return refuse(r, NgCode::Malformed);
    const int n = decimalAt(fields, 1, 2);
    if (n <= 0 || fields.size() != 3 + width * static_cast<std::size_t>(n))
        return refuse(r, NgCode::Malformed);

    bool badHex = false;
    bool outOfRange = false;
    for (int i = 0; i < n; ++i) {
        const std::size_t at = 3 + width * static_cast<std::size_t>(i);
        if (fields[at] != ',') return refuse(r, NgCode::Malformed);
        const int reg = decimalAt(fields, at + 1, 4);
        if (reg < 0) return refuse(r, NgCode::Malformed);
        outOfRange = outOfRange || reg >= kRegisterCount;
        r.registers.push_back(reg);
        if (r.kind == Request::Kind::Write) {
            if (fields[at + 5] != ',') return refuse(r, NgCode::Malformed);
            unsigned v = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                const int d = hexDigit(fields[at + 6 + k]);
                badHex = badHex || d < 0;
                v = v * 16 + static_cast<unsigned>(d < 0 ? 0 : d);
            }
            r.values.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
        }
    }
    if (outOfRange) return refuse(r, NgCode::RegisterRange);
    if (badHex) return refuse(r, NgCode::BadHex);
    return r;
}

std::string SimProtocol::whoReply(int address, std::string_view model, Mode mode) {
    std::string field(model.substr(0, kModelLength));
    field.resize(kModelLength, ' ');
    return envelope(twoDigits(address) + "WHO,OK," + field, mode);
}

std::string SimProtocol::readReply(int address, const std::vector<std::int16_t>& values,
                                   Mode mode) {
    std::string body = twoDigits(address) + "DRR,OK";
    for (std::int16_t v : values)
        body += "," + hex4(v);
    return envelope(body, mode);
}

std::string SimProtocol::writeReply(int address, Mode mode) {
    return envelope(twoDigits(address) + "DWR,OK", mode);
}

std::string SimProtocol::ngReply(int address, NgCode code, Mode mode) {
    return envelope(twoDigits(address) + "NG," + twoDigits(static_cast<int>(code)), mode);
}

std::string SimProtocol::printable(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == kStx)
            out += "<STX>";
        else if (c == kCr)
            out += "<CR>";
        else if (c == kLf)
            out += "<LF>";
        else if (u < 0x20 || u >= 0x7F) {
            out += '<';
            out += kHex[u >> 4];
            out += kHex[u & 15];
            out += '>';
        } else
            out += c;
    }
    return out;
}

} // namespace kx5sim
