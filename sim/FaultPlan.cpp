#include "sim/FaultPlan.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace kx5sim {

namespace {

std::uint32_t nextRandom(std::uint32_t& s) {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
}

template <typename T> bool number(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

bool fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

} // namespace

void FaultPlan::add(const Fault& fault) {
    Entry e;
    e.fault = fault;
    e.rng = fault.seed == 0 ? 1 : fault.seed; // xorshift must not start at 0
    mEntries.push_back(e);
}

FaultDecision FaultPlan::decide(int station, Request::Kind kind,
                                const std::vector<int>& registers) {
    FaultDecision d;
    for (Entry& e : mEntries) {
        const Fault& f = e.fault;
        if (f.station != 0 && f.station != station) continue;
        if (f.reg != 0 && (kind != Request::Kind::Write ||
                           std::find(registers.begin(), registers.end(), f.reg) == registers.end()))
            continue;
        // Faults that change one kind of reply count only the requests of that kind.
        if (f.kind == FaultKind::ForeignModel && kind != Request::Kind::Who) continue;
        if (f.kind == FaultKind::ValueCount && kind != Request::Kind::Read) continue;
        ++e.matches;
        bool fire = false;
        switch (f.when) {
        case Fault::When::Always:
            fire = true;
            break;
        case Fault::When::Once:
            fire = e.matches == 1;
            break;
        case Fault::When::EveryNth:
            fire = f.n > 0 && e.matches % f.n == 0;
            break;
        case Fault::When::Probability:
            fire = nextRandom(e.rng) / 4294967296.0 < f.probability;
            break;
        }
        if (!fire) continue;
        switch (f.kind) {
        case FaultKind::Delay:
            d.delayMs += f.ms;
            break;
        case FaultKind::Pace:
            d.pace = true;
            break;
        case FaultKind::Silent:
            d.silent = true;
            break;
        case FaultKind::ForeignModel:
            d.foreign = true;
            break;
        case FaultKind::BadChecksum:
            d.badChecksum = true;
            break;
        case FaultKind::Refuse:
            d.refuse = true;
            break;
        case FaultKind::Split:
            d.parts = f.parts;
            d.pauseMs = f.ms;
            break;
        case FaultKind::Garbage:
            d.garbageBytes += f.bytes;
            break;
        case FaultKind::NoOk:
            d.noOk = true;
            break;
        case FaultKind::Double:
            d.twice = true;
            break;
        case FaultKind::Readdress:
            d.address = f.address;
            break;
        case FaultKind::ValueCount:
            d.extraValues += f.values;
            break;
        case FaultKind::Echo:
            d.echo = f.command;
            break;
        }
    }
    return d;
}

std::optional<Fault> FaultPlan::parse(std::string_view text, std::string* error) {
    Fault f;
    bool first = true;
    bool ok = true;
    while (ok && !text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t eq = item.find('=');
        const std::string_view key = item.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1);
        const bool hasValue = eq != std::string_view::npos;
        const std::string bad = "bad value in fault option '" + std::string(item) + "'";

        if (first) {
            first = false;
            if (key == "delay") {
                f.kind = FaultKind::Delay;
                ok = hasValue && number(value, f.ms) && f.ms >= 0;
            } else if (key == "pace" || key == "silent" || key == "foreign" || key == "bad-sum" ||
                       key == "ng") {
                f.kind = key == "pace"      ? FaultKind::Pace
                         : key == "silent"  ? FaultKind::Silent
                         : key == "foreign" ? FaultKind::ForeignModel
                         : key == "ng"      ? FaultKind::Refuse
                                            : FaultKind::BadChecksum;
                ok = !hasValue;
            } else if (key == "no-ok" || key == "double") {
                f.kind = key == "no-ok" ? FaultKind::NoOk : FaultKind::Double;
                ok = !hasValue;
            } else if (key == "address") {
                f.kind = FaultKind::Readdress;
                ok = hasValue && number(value, f.address) && f.address >= 0 && f.address <= 99;
            } else if (key == "values") {
                f.kind = FaultKind::ValueCount;
                ok = hasValue && number(value, f.values) && f.values != 0 && f.values >= -99 &&
                     f.values <= 99;
            } else if (key == "echo") {
                f.kind = FaultKind::Echo;
                f.command = value;
                ok = value.size() == 3 && std::all_of(value.begin(), value.end(),
                                                      [](char c) { return c >= 'A' && c <= 'Z'; });
            } else if (key == "split") {
                f.kind = FaultKind::Split;
                f.ms = 20;
                ok = !hasValue || (number(value, f.parts) && f.parts >= 2);
            } else if (key == "garbage") {
                f.kind = FaultKind::Garbage;
                ok = !hasValue || (number(value, f.bytes) && f.bytes > 0 && f.bytes <= 1000);
            } else {
                ok = fail(error, "unknown fault kind '" + std::string(key) + "'");
                break;
            }
            if (!ok) fail(error, bad);
            continue;
        }
        if (key == "station") {
            ok = hasValue && number(value, f.station) && f.station >= 1 && f.station <= 99;
        } else if (key == "reg") {
            ok = hasValue && number(value, f.reg) && f.reg >= 1 && f.reg < 700;
        } else if (key == "once") {
            f.when = Fault::When::Once;
            ok = !hasValue;
        } else if (key == "every") {
            f.when = Fault::When::EveryNth;
            ok = hasValue && number(value, f.n) && f.n >= 1;
        } else if (key == "prob") {
            f.when = Fault::When::Probability;
            // from_chars for double is not in this library version; strtod via a copy.
            const std::string v(value);
            char* end = nullptr;
            f.probability = std::strtod(v.c_str(), &end);
            ok = hasValue && !v.empty() && end == v.c_str() + v.size() && f.probability >= 0 &&
                 f.probability <= 1;
        } else if (key == "seed") {
            ok = hasValue && number(value, f.seed);
        } else if (key == "pause") {
            ok = hasValue && number(value, f.ms) && f.ms >= 0;
        } else {
            ok = fail(error, "unknown fault option '" + std::string(key) + "'");
            break;
        }
        if (!ok) fail(error, bad);
    }
    if (first) {
        fail(error, "empty fault");
        return std::nullopt;
    }
    if (!ok) return std::nullopt;
    return f;
}

} // namespace kx5sim
