// The gateway's one door to the link: it keeps a snapshot of every station for the clients to
// read, and runs the clients' line work (a read of a station's parameters, a write) through
// the link's request path, one request at a time, so that it never replaces a window's request
// or another client's.
#pragma once

#include "gateway/RegisterMap.h"
#include "settings/FileChecks.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class KX5Link;
struct Request;
enum class RequestOutcome;

// Line work a client hands over; done is called once, when it ended.
struct LineJob {
    enum class Kind { ReadImage, Write };
    Kind kind = Kind::ReadImage;
    int mcNo = 0;
    std::vector<std::pair<int, int>> writes; // register, value; in order
    size_t next = 0;                         // the write to send next; those before are written
    bool cancelled = false;                  // the client stopped waiting: do not send it
    // How it failed: the controller refused (NG), or writes[next] never went to the link.
    bool refused = false, unsent = false;
    // How it ended, in English and in the user's language.
    std::function<void(bool ok, const FileNotice& text)> done;
};

class LinkAdapter : public QObject {
    Q_OBJECT
public:
    // A job not started within this long ends as given up.
    static constexpr int kQueueWaitMs = 10000;

    explicit LinkAdapter(KX5Link* link, QObject* parent = nullptr);
    ~LinkAdapter() override;

    // Station mcNo as last seen (never null).
    std::shared_ptr<const StationSnapshot> snapshot(int mcNo) const;
    // Queues the job; its done is always called, never from within submit.
    void submit(std::shared_ptr<LineJob> job);
    // Ends every job waiting or running as given up: the gateway stopped.
    void dropJobs();
    // Rebuilds every station's snapshot (also done on the link's changes and every second).
    void refreshAll();

private:
    void refresh(int mcNo);
    void pump();
    void pumpSoon();
    void startNext();
    void onEnded(const Request& r, RequestOutcome outcome, const FileNotice& text);
    void finish(bool ok, const FileNotice& text);
    static void end(LineJob& job, bool ok, const FileNotice& text);

    KX5Link* m_link;
    std::array<std::shared_ptr<const StationSnapshot>, 100> m_snapshots;
    struct Queued {
        std::shared_ptr<LineJob> job;
        qint64 since;
    };
    std::deque<Queued> m_queue;
    std::shared_ptr<LineJob> m_active;
    std::unique_ptr<Request> m_sent; // the request of m_active the link has
    QTimer m_deadline;               // the waiting job's wait runs out
    bool m_pumpDue = false;
    QTimer m_every;
};
