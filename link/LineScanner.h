// Finds the stations on a line: asks each station number for its model (WHO) at one or more
// line settings, through a port of its own, and reports who answered at which setting. It
// only ever sends the model query, so it never changes a controller.
#pragma once

#include "link/ReplyAssembler.h"
#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class KX5Link;

// One combination of line settings to try.
struct ScanSetting {
    LineSettings line;
    PortSettings::Protocol protocol = PortSettings::Protocol::Std;
    int sumLen() const { return protocol == PortSettings::Protocol::Std ? 0 : 2; }
    QString text() const; // "9600,N,8,1 SUM"
    bool operator==(const ScanSetting&) const = default;
};

struct ScanFind {
    int mcNo = 0;
    QString model; // as the station table shows it: "KX5-105", "KX5-???" or the raw field
    bool kx5 = false;
    ScanSetting setting;
};

// Why a scan did not start or stopped before its end, as a fact: the dialog words it.
struct ScanProblem {
    enum class Kind {
        None,
        Running,    // a scan is already running
        LinkOpen,   // the link has `port` open for polling
        Nothing,    // no settings or no numbers to try
        CannotOpen, // `port` would not open at `settings` ("9600,N,8,1"): fault
        PortFailed  // `port` failed during the scan: fault
    };
    Kind kind = Kind::None;
    QString port{};
    QString settings{};
    PortFault fault{};
    bool isNone() const { return kind == Kind::None; }
};

class LineScanner : public QObject {
    Q_OBJECT
public:
    explicit LineScanner(std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~LineScanner() override;

    // The rates the port settings offer, fastest first.
    static const std::vector<int>& rates();
    // The current setting first, then every other rate with both protocols.
    static std::vector<ScanSetting> allSettings(const ScanSetting& current);

    void setPortName(const QString& name) { m_portName = name; }
    void setFastPacing(bool on) { m_fast = on; }
    // The link whose port must be closed for the scan to run.
    void setLink(const KX5Link* link) { m_link = link; }
    // Station numbers to ask, 1 to 99 unless set.
    void setNumbers(std::vector<int> numbers) { m_numbers = std::move(numbers); }

    // Starts a scan; returns why it cannot start (None when it started).
    ScanProblem start(const std::vector<ScanSetting>& settings);
    void cancel();
    bool running() const { return m_running; }
    const std::vector<ScanFind>& finds() const { return m_finds; }
    SerialPort* port() const { return m_port.get(); }

    // How long one model query may go unanswered at a setting: the request's and the reply's
    // wire time plus the station's time to answer, as the link waits.
    int replyWaitMs(const ScanSetting& s) const;
    // The longest a scan of these settings may take: every number silent at every one.
    int boundMs(const std::vector<ScanSetting>& settings) const;
    // The longest the running scan may still take, from the query now out.
    int remainingMs() const;
    // Whether the last scan asked every number at every setting.
    bool complete() const { return m_complete; }

signals:
    // done of total queries asked so far; the setting being tried.
    void progress(int done, int total, const ScanSetting& setting);
    // A model query to this number goes out now.
    void asking(int mcNo, const ScanSetting& setting);
    void found(const ScanFind& find);
    // problem is None when the scan ran to its end or was cancelled.
    void finished(bool cancelled, const ScanProblem& problem);

private:
    ScanProblem openAt(const ScanSetting& s); // why it failed, or None
    void sendNext();
    void onReceived();
    void onGathered();
    void onTimeout();
    void advance(int delayMs);
    void finish(bool cancelled, const ScanProblem& problem = {});
    double charMs(const ScanSetting& s) const;

    std::unique_ptr<SerialPort> m_port;
    const KX5Link* m_link = nullptr;
    QString m_portName;
    bool m_fast = false, m_running = false, m_complete = false;
    std::vector<int> m_numbers;
    std::vector<ScanSetting> m_settings;
    std::vector<ScanFind> m_finds;
    size_t m_settingIdx = 0, m_numberIdx = 0;
    int m_done = 0;
    bool m_waiting = false; // a query is out and its answer not yet settled
    ReplyAssembler m_assembler;
    QTimer m_wait;   // the reply wait of the query that is out
    QTimer m_gather; // standard pacing: the rest of a reply comes in first
    QTimer m_next;   // the pause before the next query
};
