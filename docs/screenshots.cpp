// Takes the user guide's screenshots from the running program: the windows at their default
// size against a simulated line of three stations, under the offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen kx5_screenshots docs/guide/img
//   QT_QPA_PLATFORM=offscreen kx5_screenshots /tmp/ko ko      the windows in Korean, every
//                                                             group dialog among them; the
//                                                             Korean guide's are NAME-ko.png;
//                                                             and the main window on a
//                                                             1024x600 screen
#include "app/Commands.h"
#include "app/LineServices.h"
#include "app/StartOptions.h"
#include "graph/GraphWindow.h"
#include "link/mdlKX5.h"
#include "monitor/DataLogger.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/LineStatus.h"
#include "monitor/LinkWords.h"
#include "monitor/frmD_Edit.h"
#include "monitor/frmKX5_Main.h"
#include "monitor/frmKX5_Multi.h"
#include "params/ParamSet.h"
#include "params/WriteSetDialog.h"
#include "params/frmKX5_Parameter.h"
#include "publish/Publisher.h"
#include "settings/ConfigFiles.h"
#include "settings/PublishingDialog.h"
#include "settings/ScanLineDialog.h"
#include "settings/frmKX5_About.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "sim/SimLine.h"
#include "ui/Language.h"
#include "ui/ScreenFit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

QString g_out;
int g_failures = 0;

void pump(int ms) {
    QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool waitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer until(ms);
    while (!done()) {
        if (until.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// The window as it looks on screen, kept small: a palette of 256 colours is plenty for a
// window and takes a fraction of the space.
void shoot(QWidget* w, const char* name) {
    w->show();
    pump(300);
    QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const QString path = g_out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!image.save(path, "PNG", 0)) { // 0: the smallest file
        std::fprintf(stderr, "kx5_screenshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), image.width(), image.height());
}

// Two hours of a station heating to 250.0 and holding there, one record every 10 s.
bool writeSampleLog(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QDateTime start(QDate(2026, 3, 14), QTime(8, 0));
    for (int s = 0; s <= 7200; s += 10) {
        const double pv = 250.0 - 225.0 * std::exp(-s / 1500.0) + 0.6 * std::sin(s / 97.0);
        const double mv = std::clamp(100.0 * std::exp(-s / 1300.0) + 18.0, 0.0, 100.0);
        const QDateTime t = start.addSecs(s);
        f.write(QStringLiteral("%1\t%2\t2500\t%3\t%4\r\n")
                    .arg(t.toString(QStringLiteral("yyyy-MM-dd")),
                         t.toString(QStringLiteral("HH:mm:ss")))
                    .arg(std::lround(pv * 10))
                    .arg(std::lround(mv * 10))
                    .toLatin1());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform's own screen is 800x800, smaller than the windows' default size; a
    // desktop's is larger. QT_QPA_PLATFORM=offscreen:configfile=small.json takes a small one.
    const QString screen = QDir::tempPath() + QStringLiteral("/kx5_screenshots_screen.json");
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == QLatin1String("offscreen")) {
        QFile json(screen);
        if (json.open(QIODevice::WriteOnly))
            json.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, )"
                       R"("height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96}, )"
                       R"({"name": "small", "x": 1920, "y": 0, "width": 1024, "height": 600, )"
                       R"("logicalDpi": 96, "logicalBaseDpi": 96}]})");
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screen.toLocal8Bit());
    }
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: kx5_screenshots OUTDIR [ko|en]\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    // The guide's pictures are English whatever the desktop's language.
    const QString language = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    // Pictures for the Korean guide in English windows would pass unnoticed.
    if (findTranslation(language).isEmpty() && language != QLatin1String("en")) {
        std::fprintf(stderr, "kx5_screenshots: no translation %s (build kx5_translations)\n",
                     qPrintable(language));
        return 1;
    }
    installTranslations(&app, language);
    keepWindowsOnScreen(); // as the programs do, so a small screen's pictures are true
    QDir().mkpath(g_out);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kx5demo-XXXXXX"));
    setProgramDir(dir.path());

    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2, 3};
    cfg.timeScale = 20; // the process moves visibly within the seconds the graph runs
    kx5sim::SimLine sim(cfg);
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "kx5_screenshots: kx5sim: %s\n", error.c_str());
        return 1;
    }
    QStringList env(99, QStringLiteral("X\t"));
    for (int mc : {1, 2, 3})
        // The user's own names, in the pictures' language as a user would write them.
        env[mc - 1] = (language == QLatin1String("ko") ? QStringLiteral("O\t가열로 %1")
                                                       : QStringLiteral("O\tOven %1"))
                          .arg(mc);
    QDir().mkpath(cfgDir());
    QDir().mkpath(dir.path() + QStringLiteral("/data"));
    QString why;
    if (!writeLinesAtomic(commCfgPath(),
                          {QString::fromStdString(sim.path()), "9600", "N", "8", "1", "STD"},
                          &why) ||
        !writeLinesAtomic(setEnvPath(), env, &why) ||
        !writeLinesAtomic(saveDataPath(),
                          {"Yes", "5", "sec", dir.path() + QStringLiteral("/data"), "KX5"}, &why)) {
        std::fprintf(stderr, "kx5_screenshots: %s\n", qPrintable(why));
        return 1;
    }

    LineServices services; // outlives the window
    frmKX5_Main main(services.parts(), loadStartSettings());
    installCommands(&main);
    main.show();
    KX5Link* link = main.link();

    // The settings windows, as they open while the port is closed.
    {
        frmKX5_SetPort w(link->portSettings(), main.linkOptions(), &main);
        shoot(&w, "port-setting");
    }
    {
        frmKX5_SetEnv w(&main);
        shoot(&w, "stations");
    }
    {
        ScanLineDialog w(link, nullptr, &main);
        shoot(&w, "scan-line");
    }
    {
        frmKX5_Set_DSave w(main.dataLogger()->settings(), &main);
        shoot(&w, "data-save");
    }

    // The line open, the graph running and data being saved, as the demo starts.
    StartOptions start;
    start.open = start.graph = start.save = true;
    applyStartOptions(&main, start);
    if (!waitFor([&] { return link->phase() == KX5Link::Phase::Monitoring; }, 20000)) {
        std::fprintf(stderr, "kx5_screenshots: the line did not come up: %s\n",
                     qPrintable(LinkWords::shown(services.status()->message())));
        return 1;
    }
    pump(12000);
    shoot(&main, "main-window");
    if (language != QLatin1String("en")) {
        // The same window on a small laptop's 1024x600 screen, fitted as the program fits it.
        QScreen* small = nullptr;
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String("small")) small = s;
        if (small) {
            const QRect before = main.geometry();
            main.hide();
            main.setScreen(small);
            main.move(small->geometry().topLeft());
            shoot(&main, "main-window-1024x600");
            main.hide();
            main.setScreen(QGuiApplication::primaryScreen());
            main.setGeometry(before);
            main.show();
        } else {
            std::fprintf(stderr, "kx5_screenshots: no 1024x600 screen (QT_QPA_PLATFORM set?)\n");
            ++g_failures;
        }
    }
    {
        frmKX5_Multi w(link, &link->line(), &main);
        pump(1500);
        shoot(&w, "multi-monitoring");
    }
    if (language != QLatin1String("en")) {
        // Not in the guide, looked at in the other language.
        frmD_Edit edit(link, &main);
        shoot(&edit, "edit-print-speed");
        LineStatisticsDialog stats(link, &main);
        shoot(&stats, "line-statistics");
        frmKX5_About about(&main);
        shoot(&about, "about");
        PublishingDialog publishing(main.publisher()->options(), &main);
        shoot(&publishing, "publishing");
        WriteSetDialog writeSet(
            link,
            paramSetFromImage(link->paramImage(1) ? *link->paramImage(1) : ParamImage(),
                              ControllerModel::KX5_105, 1, QDateTime::currentDateTime()),
            dir.path() + QStringLiteral("/oven.csv"), &main);
        shoot(&writeSet, "write-set");
    }
    {
        frmKX5_Parameter map(link, ParamSource::of(link), &main);
        main.setOpenMap(&map);
        shoot(&map, "parameter-map");
        const std::pair<MapDialog, const char*> dialogs[] = {
            {MapDialog::IN, "input-group"}, {MapDialog::OUT, "group-output"},
            {MapDialog::SetDT, "clock"},    {MapDialog::Control, "group-control"},
            {MapDialog::PID, "group-pid"},  {MapDialog::SV, "group-sv"},
            {MapDialog::AT, "group-at"},    {MapDialog::ALM, "group-alarm"}};
        for (const auto& [which, name] : dialogs) {
            // The guide shows three; the others are looked at in the other language.
            if (language == QLatin1String("en") && QByteArray(name).startsWith("group-") &&
                qstrcmp(name, "group-output") != 0)
                continue;
            std::unique_ptr<QDialog> d = map.createDialog(which);
            shoot(d.get(), name);
        }
    }

    const QString log = dir.path() + QStringLiteral("/data/KX5_01.DAT");
    if (writeSampleLog(log)) {
        GraphWindow graph;
        graph.openFiles({log});
        graph.setDecimals(0, 1);
        shoot(&graph, "graph-viewer");
    } else {
        ++g_failures;
    }
    link->ClosePort();
    sim.stop();
    setProgramDir(QString());
    return g_failures == 0 ? 0 : 1;
}
