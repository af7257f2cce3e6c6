// What runs the line beside the windows: the link, its events, the data log, the trace
// recorder, publishing and the alarms. The program makes them (app/) and hands them to the main
// window or the headless run, which use them and never own them.
#pragma once

class AlarmBook;
class DataLogger;
class EventLog;
class KX5Link;
class LineStatus;
class Publisher;
class TraceRecorder;

struct LineParts {
    KX5Link* link = nullptr;
    EventLog* events = nullptr;
    DataLogger* logger = nullptr;
    TraceRecorder* recorder = nullptr;
    Publisher* publisher = nullptr;
    AlarmBook* alarms = nullptr;
    LineStatus* status = nullptr; // what the status bar says
};
