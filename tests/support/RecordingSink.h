// A stand-in for the link as the windows see it: it keeps every request it is handed, refuses
// them all for a given reason when told to, and names the selected station a test sets.
#pragma once

#include "link/Request.h"

#include <ostream>
#include <vector>

class RecordingSink : public RequestSink {
public:
    RequestReply request(const Request& r) override {
        requests.push_back(r); // refused ones too: a test can see what was asked
        return {refusal == Refusal::None, refusal, QString(), r};
    }
    int selectedMcNo() const override { return mcNo; }

    std::vector<Request> requests;
    Refusal refusal = Refusal::None; // other than None: every request is refused for it
    int mcNo = 0;
};

// Readable failures: "step 109 MC 4 regs {} values {2 150 } values2 {}".
inline void PrintTo(const Request& r, std::ostream* os) {
    *os << "step " << r.step << " MC " << r.mcNo;
    for (const auto& [name, list] :
         {std::pair{" regs {", &r.regs}, {" values {", &r.values}, {" values2 {", &r.values2}}) {
        *os << name;
        for (int v : *list)
            *os << v << ' ';
        *os << '}';
    }
}
