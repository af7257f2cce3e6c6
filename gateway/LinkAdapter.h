// The gateway's one door to the link: it shows the clients each station as the line model has
// it now, and hands the clients' line work (reading parameter blocks, writing registers) to the
// link's queue, each job as a source of its own, so the link's rotation shares the line between
// the clients, the windows and the poll.
#pragma once

#include "files/FileChecks.h"
#include "gateway/RegisterMap.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class KX5Link;
class LinkReply;

// Line work a client hands over; done is called once, when it ended.
struct LineJob {
    enum class Kind { ReadImage, Write };
    Kind kind = Kind::ReadImage;
    int mcNo = 0;
    std::vector<std::pair<int, int>> writes; // register, value; in order
    std::vector<int> blocks;                 // ReadImage: the parameter blocks to read (1 to 4)
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
    // A parameter block older than this is read again before it is served.
    static constexpr int kImageMaxAgeMs = 10000;

    explicit LinkAdapter(KX5Link* link, QObject* parent = nullptr);
    ~LinkAdapter() override;

    // Station mcNo as the line model has it at this moment, read in place (see StationView).
    StationView station(int mcNo) const;
    // Queues the job; its done is always called, never from within submit.
    void submit(std::shared_ptr<LineJob> job);
    // Ends every job waiting or running as given up: the gateway stopped.
    void dropJobs();
    void setImageMaxAgeMs(int ms) { m_imageMaxAgeMs = ms; }
    // Where a station's alarm counts come from; without it they read 0.
    void setAlarmCounts(std::function<AlarmCounts(int mcNo)> counts) {
        m_alarmCounts = std::move(counts);
    }
    // Each request's wait for the controller's answer; 0: the link's own.
    void setSerialTimeoutMs(int ms) { m_serialTimeoutMs = ms; }
    // While clients are served, the link reads every answering station's parameter image in
    // the background, so that a client's first read of a parameter is served from memory.
    void setServing(bool on);

private:
    struct Running {
        std::shared_ptr<LineJob> job;
        int source = 0;
        std::shared_ptr<LinkReply> reply;
    };
    void step(Running& run);
    void onFinished(LinkReply* reply);
    void withdrawCancelled();
    void finish(size_t i, bool ok, const FileNotice& text);
    static void end(LineJob& job, bool ok, const FileNotice& text);

    KX5Link* m_link;
    std::vector<Running> m_jobs;
    int m_nextSource = 1;
    int m_imageMaxAgeMs = kImageMaxAgeMs;
    std::function<AlarmCounts(int)> m_alarmCounts;
    int m_serialTimeoutMs = 0;
    QTimer m_cancelCheck; // a job whose client stopped waiting leaves the link's queue
};
