#include "app/Headless.h"

#include "app/LineServices.h"
#include "app/ServiceNotify.h"
#include "app/ServiceOutput.h"
#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "files/StartSettings.h"
#include "gateway/Gateway.h"
#include "publish/Publisher.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"
#include "services/LinkWords.h"
#include "services/TraceRecorder.h"

#include <QDateTime>

Headless::Headless(LineServices* line, ServiceOutput* out, QObject* parent)
    : QObject(parent), m_link(line->link()), m_status(line->status()), m_events(line->events()),
      m_recorder(line->recorder()), m_logger(line->logger()), m_publisher(line->publisher()),
      m_gateway(line->gateway()), m_out(out) {
    m_link->setHost(this);
    m_notify = new ServiceNotify(this);
    connect(m_events, &EventLog::added, this,
            [this](const QString& stamp, int mc, const QString& text) {
                // A station by its number and, where it has one, its description.
                const LineModel::Station* s = m_link->line().station(mc);
                const QString name = s ? s->name.trimmed() : QString();
                m_out->line(mc <= 0 ? QStringLiteral("%1 %2").arg(stamp, text)
                            : name.isEmpty()
                                ? QStringLiteral("%1 MC %2: %3").arg(stamp).arg(mc).arg(text)
                                : QStringLiteral("%1 MC %2 (%3): %4")
                                      .arg(stamp, QString::number(mc), name, text));
            });
    // What the window would show in panel 4 (a port that cannot be opened, a file that
    // cannot be written) is said on standard error, and is the service's status meanwhile. A
    // port tried again every two seconds is said at attempts 1, 2, 4, ... 512, then every 512th.
    connect(m_status, &LineStatus::messageChanged, this, [this] {
        const StatusMessage& m = m_status->message();
        const QString text = LinkWords::shown(m);
        if (text.isEmpty()) return;
        m_notify->status(text);
        if (m.source == StatusMessage::Source::Link) {
            const LinkNote& n = m.note;
            // A failed reopen is said by the attempt's own line, which follows.
            if (n.kind == LinkNote::Kind::CannotOpen &&
                m_link->phase() == KX5Link::Phase::Reopening)
                return;
            const bool retry = n.kind == LinkNote::Kind::CannotOpenAttempt ||
                               n.kind == LinkNote::Kind::PortLostAttempt;
            const int a = n.number;
            if (retry && a > 0 && ((a < 512 && (a & (a - 1)) != 0) || (a >= 512 && a % 512 != 0)))
                return;
        }
        m_out->line(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) +
                    text);
    });
    // Answers on the line: the service runs, whatever was said before.
    connect(m_link, &KX5Link::stationAnswered, this,
            [this] { m_notify->status(QStringLiteral("Running")); });
    // Looked at once the link has finished what it does on the failure.
    connect(m_link, &KX5Link::portStateChanged, this, [this](bool open) {
        if (!open) QTimer::singleShot(0, this, &Headless::checkGivenUp);
    });
    connect(m_link, &KX5Link::portOpened, this,
            [this](const QString&, const QString&, const PortFault& why) {
                if (!why.isNone()) QTimer::singleShot(0, this, &Headless::checkGivenUp);
            });
    m_tick.setInterval(1000);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &Headless::tick);
}

Headless::~Headless() {
    stop();
    m_link->setHost(nullptr);
}

QString Headless::start(const StartOptions& options) {
    // The main window's start-up, without the window.
    StartSettings settings = loadStartSettings();
    if (options.discovery) settings.publish.discovery = true;
    m_link->setPortSettings(settings.port);
    m_link->setStations(settings.stations);
    m_recorder->setFiles(settings.dataSave);
    m_logger->setSettings(settings.dataSave);
    m_link->setFastPacing(settings.link.fastPolling);
    m_link->setAutoReopen(settings.link.reopenLostPort);
    m_recorder->setLimitMB(settings.link.traceLimitMB);
    m_recorder->setOn(settings.link.recordTrace);
    m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Started without windows in %1"),
                  {programDir()});
    for (const FileNotice& n : settings.notes)
        m_events->add(0, n); // on standard error as every event
    QString problems;
    m_openAsked = options.open;
    if (options.open) m_link->openUnattended();
    if (options.save) {
        if (!settings.dataSave.enabled)
            problems = QStringLiteral("--save: data saving is not enabled in Data Save Setting");
        else
            m_logger->setRunning(true);
    }
    // With data saving on, what publishing says at start (settings it cannot use) goes to the
    // events file too.
    m_publisher->apply(settings.publish);
    applyGatewayStartOptions(options, &settings.gateway);
    m_gateway->apply(settings.gateway);
    m_tick.start();
    m_running = true;
    m_notify->ready();
    return problems;
}

void Headless::stop() {
    if (!m_running) return;
    m_running = false;
    m_notify->stopping();
    m_tick.stop();
    m_publisher->stop();
    m_gateway->stop();
    if (m_link->phase() != KX5Link::Phase::Closed) m_link->ClosePort();
    m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Stopped"));
    m_logger->setRunning(false);
}

void Headless::checkGivenUp() {
    // Reopening or retrying is not giving up; a stop asked for is not either.
    if (!m_running || !m_openAsked || m_link->phase() != KX5Link::Phase::Closed) return;
    emit portGivenUp(m_link->portSettings().canOpen() ? 1 : 2);
}

void Headless::tick() {
    const QDateTime now = QDateTime::currentDateTime();
    m_logger->tick(now, m_tick.interval());
    // Every hour of saving, what the window's status bar shows: a journal that stays quiet
    // otherwise still says the records keep coming.
    const DataLogger::Progress p = m_logger->progress(now);
    if (!p.since.isValid()) {
        m_lastProgress = {};
        return;
    }
    if (!m_lastProgress.isValid()) m_lastProgress = p.since;
    if (m_lastProgress.secsTo(now) < 3600) return;
    m_lastProgress = now;
    std::fprintf(stderr, "%s %s\n", qPrintable(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))),
                 qPrintable(DataLogger::progressText(p).logged));
    std::fflush(stderr);
}
