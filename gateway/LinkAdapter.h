// The gateway's one door to the link: it keeps a snapshot of every station that any client
// thread may read, and runs the clients' line work (a read of a station's parameters, a write)
// through the link's request path on the link's thread, one request at a time, so that it
// never replaces a window's request or another client's.
#pragma once

#include "gateway/RegisterMap.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <atomic>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

class KX5Link;
struct Request;
enum class RequestOutcome;

// Line work a client thread hands over and waits on.
struct LineJob {
    enum class Kind { ReadImage, Write };
    Kind kind = Kind::ReadImage;
    int mcNo = 0;
    std::vector<std::pair<int, int>> writes; // register, value; in order
    size_t next = 0;                         // the write to send next (link's thread)
    std::atomic<bool> cancelled{false};      // the client stopped waiting: do not send it
    struct Result {
        bool ok = false;
        QString text; // how it ended, in English
    };
    std::promise<Result> done;
};

class LinkAdapter : public QObject {
    Q_OBJECT
public:
    // A job not started within this long ends as given up.
    static constexpr int kQueueWaitMs = 10000;

    explicit LinkAdapter(KX5Link* link, QObject* parent = nullptr);
    ~LinkAdapter() override;

    // Any thread: station mcNo as last seen (never null).
    std::shared_ptr<const StationSnapshot> snapshot(int mcNo) const;
    // Any thread: queues the job for the link's thread; its promise is always kept.
    void submit(std::shared_ptr<LineJob> job);
    // Ends every job waiting or running as given up (the gateway stops).
    void dropJobs(const QString& why);
    // Rebuilds every station's snapshot (also done on the link's changes and every second).
    void refreshAll();

private:
    void refresh(int mcNo);
    void pump();
    void startNext();
    void onEnded(const Request& r, RequestOutcome outcome, const QString& text);
    void finish(bool ok, const QString& text);

    KX5Link* m_link;
    mutable std::mutex m_mutex; // guards m_snapshots
    std::array<std::shared_ptr<const StationSnapshot>, 100> m_snapshots;
    // Written by the gateway and acknowledged, until the station's parameters are read again.
    std::map<int, std::map<int, int>> m_written;
    struct Queued {
        std::shared_ptr<LineJob> job;
        qint64 since;
    };
    std::deque<Queued> m_queue;
    std::shared_ptr<LineJob> m_active;
    std::unique_ptr<Request> m_sent; // the request of m_active the link has
    QTimer m_retry;                  // the line is busy with someone else's request
    QTimer m_every;
};
