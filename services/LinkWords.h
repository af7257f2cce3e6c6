// The one place the link's facts get words: what a request does and how it ended or why it
// was refused, the link's notes, port faults and a scan's problems, and the status bar's
// message. In English for the files and in the user's language for windows; the link itself
// reports enums and numbers only.
#pragma once

#include "files/FileChecks.h"
#include "link/LineScanner.h"
#include "link/LinkNote.h"
#include "link/PortFault.h"
#include "link/Request.h"

#include <QString>

struct StatusMessage;

namespace LinkWords {
// "FEED key", "SV group", "clock": what a request does.
FileNotice what(const Request& r);
// How a request ended: "MC [3] SV group written", "MC [3] ==> NG: SV group refused", ...
FileNotice ended(const Request& r, RequestOutcome outcome, EndCause cause);
// A reply's end, or why its request was not taken.
FileNotice ended(const LinkReply& reply);
// Why the link did not take r, in the user's language; port: the port lost, for Reopening.
QString refusal(const Request& r, Refusal why, const QString& port = {});
QString refusal(const RequestReply& reply);
// "no such port", "device disconnected or not responding", ...
FileNotice fault(const PortFault& f);
// A note of the link in the user's language; empty for Clear.
QString note(const LinkNote& n);
QString scanProblem(const ScanProblem& p);
// The status bar's panel 3 ("OPEN" / "CLOSE") and panel 4.
QString portState(bool open);
QString shown(const StatusMessage& m);
} // namespace LinkWords
