// Shared by the simulator tests: a frame envelope and checksum that owe nothing to sim/.
#pragma once

#include <QByteArray>
#include <string>
#include <string_view>

namespace simtest {

inline const std::string kStx(1, '\x02');

inline std::string bytes(const QByteArray& a) {
    return a.toStdString();
}

// STX body [two upper-case hex digits of the byte sum modulo 256] CR LF.
inline std::string frame(std::string_view body, bool withSum) {
    unsigned sum = 0;
    for (unsigned char c : body)
        sum += c;
    const char* hex = "0123456789ABCDEF";
    const std::string check = withSum ? std::string{hex[sum / 16 % 16], hex[sum % 16]} : "";
    return kStx + std::string(body) + check + "\r\n";
}

} // namespace simtest
