#include "app/Headless.h"

#include "app/LineServices.h"
#include "app/ServiceNotify.h"
#include "app/StartOptions.h"
#include "gateway/Gateway.h"
#include "monitor/DataLogger.h"
#include "monitor/EventLog.h"
#include "monitor/TraceRecorder.h"
#include "publish/Publisher.h"
#include "settings/ConfigFiles.h"
#include "settings/StartSettings.h"

#include <QDateTime>
#include <cstdio>

Headless::Headless(LineServices* line, QObject* parent)
    : QObject(parent), m_link(line->link()), m_events(line->events()), m_recorder(line->recorder()),
      m_logger(line->logger()), m_publisher(line->publisher()), m_gateway(line->gateway()) {
    m_link->setHost(this);
    m_notify = new ServiceNotify(this);
    connect(m_events, &EventLog::added, this,
            [](const QString& stamp, int mc, const QString& text) {
                const QString line =
                    mc > 0 ? QStringLiteral("%1 MC %2: %3").arg(stamp).arg(mc).arg(text)
                           : QStringLiteral("%1 %2").arg(stamp, text);
                std::fprintf(stderr, "%s\n", qPrintable(line));
                std::fflush(stderr);
            });
    // What the window would show in panel 4 (a port that cannot be opened, a file that
    // cannot be written) is said on standard error.
    connect(m_link, &KX5Link::panelChanged, this, [this](int panel) {
        const QString text = m_link->panel(panel);
        if (panel != 4 || text.isEmpty()) return;
        std::fprintf(stderr, "%s %s\n",
                     qPrintable(QDateTime::currentDateTime().toString(
                         QStringLiteral("yyyy-MM-dd hh:mm:ss"))),
                     qPrintable(text));
        std::fflush(stderr);
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
