// Frame codec of the simulated controllers: request parsing and reply building, no I/O.
//
// Replies (s = checksum characters, present only in SUM mode):
//   WHO  STX nn "WHO,OK," <model, 10 chars> [s] CR LF
//        The model field sits at offsets 10..19 (characters 11 to 20 counting STX as 1),
//        the same place as the first value of a read reply, e.g. "KX5-100033".
//   DRR  STX nn "DRR,OK" then ",XXXX" per register in request order [s] CR LF
//   DWR  STX nn "DWR,OK" [s] CR LF                           (11 + s bytes)
//   NG   STX nn "NG," <two-digit reason, NgCode> [s] CR LF   (10 + s bytes)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx5sim {

enum class Mode { Std, Sum };

// Reason carried by an NG reply.
enum class NgCode : int {
    UnknownCommand = 1,
    RegisterRange = 2, // register number above 699
    Malformed = 3,     // count, separators or digits do not fit the command
    Checksum = 4,
    BadHex = 5, // a write value that is not four upper-case hex digits
    ReadOnly = 6,
    Refused = 9, // refusal injected on demand
};

struct Request {
    enum class Kind { Who, Read, Write };
    int address = -1; // -1: address digits unreadable, nobody answers
    Kind kind = Kind::Who;
    std::vector<int> registers;
    std::vector<std::int16_t> values; // writes only, parallel to registers
    std::optional<NgCode> error;
};

class SimProtocol {
public:
    static constexpr int kRegisterCount = 700;
    static constexpr int kModelLength = 10;

    // frame runs from STX to LF inclusive, as the frame reader delivers it.
    static Request parse(std::string_view frame, Mode mode);

    static std::string whoReply(int address, std::string_view model, Mode mode);
    static std::string readReply(int address, const std::vector<std::int16_t>& values, Mode mode);
    static std::string writeReply(int address, Mode mode);
    static std::string ngReply(int address, NgCode code, Mode mode);

    // Sum of the bytes modulo 256 (the caller passes the bytes after STX up to the checksum).
    static int checksum(std::string_view bytes);
    // Log form: control bytes spelled out (<STX>, <CR>, <LF>), other unprintables as <hh>.
    static std::string printable(std::string_view bytes);
};

} // namespace kx5sim
