#include "sim/SimBus.h"

#include <algorithm>

namespace kx5sim {

SimBus::SimBus(Mode mode, const std::vector<int>& addresses) : mMode(mode) {
    for (int a : addresses)
        if (a >= 0 && a <= 99) mStations.try_emplace(a, a);
}

std::vector<int> SimBus::addresses() const {
    std::vector<int> out;
    for (const auto& [a, s] : mStations)
        out.push_back(a);
    return out;
}

SimStation* SimBus::station(int address) {
    auto it = mStations.find(address);
    return it == mStations.end() ? nullptr : &it->second;
}

ReplyPlan SimBus::handle(std::string_view frame, double processSeconds, std::int64_t civilNow) {
    const Request req = SimProtocol::parse(frame, mMode);
    ReplyPlan plan;
    plan.address = req.address;
    SimStation* st = station(req.address);
    if (!st) return plan; // nobody by that address on the line

    st->advanceTo(processSeconds);
    const FaultDecision f = mFaults.decide(req.address, req.kind, req.registers);
    if (f.silent) return plan;

    if (req.error) {
        plan.reply = SimProtocol::ngReply(req.address, *req.error, mMode);
    } else if (f.refuse) {
        plan.reply = SimProtocol::ngReply(req.address, NgCode::Refused, mMode);
    } else if (req.kind == Request::Kind::Who) {
        plan.reply =
            SimProtocol::whoReply(req.address, f.foreign ? kForeignModel : st->model(), mMode);
    } else if (req.kind == Request::Kind::Read) {
        std::vector<std::int16_t> values;
        for (int r : req.registers)
            values.push_back(st->read(r, civilNow));
        // Extra values continue with the registers after the last one asked.
        for (int r = req.registers.back() + 1; r <= req.registers.back() + f.extraValues; ++r)
            values.push_back(r < SimProtocol::kRegisterCount ? st->read(r, civilNow) : 0);
        if (f.extraValues < 0)
            values.resize(values.size() - std::min(values.size(), std::size_t(-f.extraValues)));
        plan.reply = SimProtocol::readReply(req.address, values, mMode);
    } else {
        std::vector<std::pair<int, std::int16_t>> writes;
        bool writable = true;
        for (std::size_t i = 0; i < req.registers.size(); ++i) {
            writable = writable && SimStation::isWritable(req.registers[i]);
            writes.emplace_back(req.registers[i], req.values[i]);
        }
        if (writable) {
            st->write(writes, civilNow);
            plan.reply = SimProtocol::writeReply(req.address, mMode);
        } else {
            plan.reply = SimProtocol::ngReply(req.address, NgCode::ReadOnly, mMode);
        }
    }

    // An NG reply echoes no command, so it keeps "NG".
    const bool echo = !f.echo.empty() && plan.reply.compare(3, 3, "NG,") != 0;
    if (f.noOk || f.address >= 0 || echo) {
        if (echo) plan.reply.replace(3, 3, f.echo);
        if (f.address >= 0) {
            plan.reply[1] = static_cast<char>('0' + f.address / 10);
            plan.reply[2] = static_cast<char>('0' + f.address % 10);
        }
        const std::size_t ok = plan.reply.find("OK");
        if (f.noOk && ok != std::string::npos) plan.reply.replace(ok, 2, "NO");
        if (mMode == Mode::Sum) { // a frame that is well formed apart from what it says
            static constexpr char kHex[] = "0123456789ABCDEF";
            const int sum = SimProtocol::checksum(
                std::string_view(plan.reply).substr(1, plan.reply.size() - 5));
            plan.reply[plan.reply.size() - 4] = kHex[sum / 16];
            plan.reply[plan.reply.size() - 3] = kHex[sum % 16];
        }
    }
    if (f.badChecksum && mMode == Mode::Sum) {
        // Replace the low checksum digit by another hex digit.
        char& lo = plan.reply[plan.reply.size() - 3];
        lo = lo == '0' ? '1' : '0';
    }
    if (f.twice) plan.reply += plan.reply;
    static constexpr char kJunk[] = {'\xFF', '\x00', '~', '#', '\x7F', '\x1B', '?', '\x15'};
    for (int i = 0; i < f.garbageBytes; ++i)
        plan.garbage += kJunk[i % sizeof kJunk];
    plan.answer = true;
    plan.delayMs = f.delayMs;
    plan.pace = f.pace;
    plan.parts = f.parts;
    plan.pauseMs = f.pauseMs;
    return plan;
}

} // namespace kx5sim
