#include "sim/SimOptions.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace kx5sim {

namespace {

bool toInt(std::string_view s, int& out) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && ec == std::errc() && p == end;
}

bool toDouble(const std::string& s, double& out) {
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size();
}

// "8N1": data bits 7 or 8, parity N, E or O, stop bits 1 or 2.
bool toFormat(std::string_view s, LineConfig& line) {
    if (s.size() != 3 || (s[0] != '7' && s[0] != '8') ||
        std::string_view("NEO").find(s[1]) == std::string_view::npos ||
        (s[2] != '1' && s[2] != '2'))
        return false;
    line.dataBits = s[0] - '0';
    line.parity = s[1];
    line.stopBits = s[2] - '0';
    return true;
}

} // namespace

std::optional<std::vector<int>> parseStations(std::string_view text) {
    std::vector<int> out;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t dash = item.find('-');
        int from = 0;
        int to = 0;
        if (dash == std::string_view::npos) {
            if (!toInt(item, from)) return std::nullopt;
            to = from;
        } else if (!toInt(item.substr(0, dash), from) || !toInt(item.substr(dash + 1), to)) {
            return std::nullopt;
        }
        if (from < 1 || to > 99 || from > to) return std::nullopt;
        for (int s = from; s <= to; ++s)
            out.push_back(s);
    }
    if (out.empty()) return std::nullopt;
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string* error) {
    SimOptions o;
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--sum") {
            o.line.mode = Mode::Sum;
        } else if (a == "--std") {
            o.line.mode = Mode::Std;
        } else if (a == "--strict-rate") {
            o.line.strictRate = true;
        } else if (a == "--pace") {
            Fault pace;
            pace.kind = FaultKind::Pace;
            o.line.faults.push_back(pace);
        } else if (a == "--stations") {
            if (!value(v)) return fail("--stations needs a list such as 1,2,5");
            auto list = parseStations(v);
            if (!list) return fail("bad station list '" + v + "' (stations 1 to 99)");
            o.line.stations = *list;
        } else if (a == "--baud") {
            if (!value(v) || !toInt(v, o.line.baud) || o.line.baud < 300)
                return fail("--baud needs a rate of at least 300");
        } else if (a == "--format") {
            if (!value(v) || !toFormat(v, o.line))
                return fail("--format needs data bits 7 or 8, parity N, E or O and stop bits 1 "
                            "or 2, e.g. 8N1");
        } else if (a == "--time-scale") {
            if (!value(v) || !toDouble(v, o.line.timeScale) || !(o.line.timeScale > 0))
                return fail("--time-scale needs a positive number");
        } else if (a == "--turnaround") {
            if (!value(v) || !toInt(v, o.line.turnaroundMs) || o.line.turnaroundMs < 0)
                return fail("--turnaround needs a time in milliseconds, 0 or more");
        } else if (a == "--link") {
            if (!value(o.linkPath) || o.linkPath.empty()) return fail("--link needs a path");
        } else if (a == "--device") {
            if (!value(o.line.device) || o.line.device.empty())
                return fail("--device needs a path");
        } else if (a == "--log") {
            if (!value(o.line.logPath) || o.line.logPath.empty()) return fail("--log needs a file");
        } else if (a == "--fault") {
            if (!value(v)) return fail("--fault needs a rule, e.g. delay=300");
            std::string why;
            auto f = FaultPlan::parse(v, &why);
            if (!f) return fail("--fault " + v + ": " + why);
            o.line.faults.push_back(*f);
        } else if (a == "--model") {
            const std::size_t eq = value(v) ? v.find('=') : std::string::npos;
            int station = 0;
            if (eq == std::string::npos || !toInt(std::string_view(v).substr(0, eq), station) ||
                station < 1 || station > 99)
                return fail("--model needs STATION=TEXT, e.g. 3=KX5-200011");
            o.line.models[station] = v.substr(eq + 1);
        } else {
            return fail("unknown option '" + a + "' (see --help)");
        }
    }
    return o;
}

std::string usageText() {
    return R"(Usage: kx5sim [options]
Simulates a serial line with KX5 temperature controllers. Opens a pseudo-terminal (or the
device given with --device), prints the path to give the program as the first line of
output and answers WHO, DRR and DWR until interrupted (Ctrl-C or SIGTERM).

Line:
  --stations LIST    stations on the line, e.g. 1,2,5 or 1-10 (default 1)
  --std | --sum      protocol: STD without checksum (default) or SUM with checksum
  --baud N           line rate for --pace, and set on a --device (default 9600)
  --format DPS       character format, e.g. 7E2: data bits 7|8, parity N|E|O, stop bits
                     1|2 (default 8N1). --pace counts its bits; a --device is set to it
                     (a pseudo-terminal takes no parity)
  --device PATH      serve this serial device instead of a new pseudo-terminal
  --link PATH        also make a symbolic link PATH to the line (removed on exit)
  --time-scale X     run the process model X times faster than real time (default 1)
  --turnaround MS    each station's own pause before it answers a request (default 0)
  --model N=TEXT     ten-character model field of station N (default KX5-100033)
  --strict-rate      stay silent to requests sent at another rate than --baud, as a real
                     controller hears only noise then (for trying "Scan Line...")
  --log FILE         append every request and reply with a time stamp to FILE
  --version          print the version and exit

Faults (repeatable; kind first, then options separated by commas):
  --pace             send replies at the line's rate and format (same as --fault pace)
  --fault RULE       kinds:   delay=MS   wait before answering
                              pace       --format's bits per byte at --baud, in chunks
                              silent     do not answer
                              foreign    answer WHO with a model that is not a KX5
                              bad-sum    corrupt the checksum (SUM mode)
                              ng         refuse with NG (a refused write is not applied)
                              split[=N]  write the reply in N parts (default 2)
                              garbage[=N] send N junk bytes before the reply (default 4)
                              no-ok      answer with "NO" where "OK" belongs
                              double     send the reply twice
                              address=N  answer with station N's address
                              values=N   give a read reply N more values (the registers
                                         after the last asked) or, N < 0, |N| fewer
                              echo=CMD   echo CMD, e.g. DWR, instead of the request's
                                         command (NG replies stay as they are)
                     options: station=N   only replies of station N
                              reg=R       only writes that include register R
                              once | every=N | prob=P,seed=S   when (default: always)
                              pause=MS    pause between split parts (default 20)
  e.g. --fault delay=300,station=2 --fault bad-sum,every=3 --fault ng,prob=0.1,seed=7

Replies:
  WHO  <STX>nnWHO,OK,KX5-100033[sum]<CR><LF>   (model field = characters 11 to 20)
  DRR  <STX>nnDRR,OK,XXXX,...[sum]<CR><LF>      (one 4-digit hex value per register)
  DWR  <STX>nnDWR,OK[sum]<CR><LF>
  NG   <STX>nnNG,EE[sum]<CR><LF>   EE: 01 unknown command, 02 register above 699,
       03 malformed, 04 checksum, 05 bad hex value, 06 read-only register, 09 injected
  Requests to a station not on the line get no reply.
)";
}

} // namespace kx5sim
