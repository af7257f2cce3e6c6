// Takes the user guide's screenshots from the running program: the windows at their default
// size against a simulated line of three stations, under the offscreen platform.
//
//   kx5_screenshots OUTDIR [ko|en] [dark] [WxH]
//
// Every window, in English or Korean, in a desktop's dark palette if asked, on a WxH desktop
// (1920x1080 unless given), and the main window maximised on a 1024x600 screen beside it.
// QT_SCALE_FACTOR and QT_FONT_DPI apply as on a desktop. scripts/screenshots picks the
// guide's pictures out of the runs.
#include "app/Commands.h"
#include "app/LineServices.h"
#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "graph/GraphWindow.h"
#include "link/Request.h"
#include "link/mdlKX5.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/frmD_Edit.h"
#include "monitor/frmKX5_Main.h"
#include "monitor/frmKX5_Multi.h"
#include "params/ParamSet.h"
#include "params/WriteSetDialog.h"
#include "params/frmKX5_Parameter.h"
#include "publish/Publisher.h"
#include "services/DataLogger.h"
#include "services/LineStatus.h"
#include "services/LinkWords.h"
#include "settings/GatewayDialog.h"
#include "settings/PublishingDialog.h"
#include "settings/ScanLineDialog.h"
#include "settings/frmKX5_About.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "sim/SimLine.h"
#include "ui/Contrast.h"
#include "ui/Language.h"
#include "ui/ScreenFit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleFactory>
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

// The contrast of a label's text on the pixels drawn: its ground is the commonest colour, its
// ink the one farthest from it (the glyphs' cores, past their smoothed edges).
double drawnContrast(QWidget* w) {
    const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[image.pixel(x, y)];
    QRgb ground = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > count.value(ground)) ground = it.key();
    double most = 1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        most = std::max(most, contrastRatio(QColor(it.key()), QColor(ground)));
    return most;
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

// A desktop's dark palette, as a dark theme hands it to every program.
QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), grey(127, 127, 127);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::PlaceholderText, grey);
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, r, grey);
    return p;
}

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform's own screen is 800x800, smaller than the windows' default size; a
    // desktop's is larger. QT_QPA_PLATFORM=offscreen:configfile=small.json takes a small one.
    // The guide's pictures are English whatever the desktop's language.
    QString language = QStringLiteral("en");
    bool dark = false;
    QSize desktop(1920, 1080);
    static const QRegularExpression size(QStringLiteral("^(\\d+)x(\\d+)$"));
    for (int i = 2; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (const QRegularExpressionMatch m = size.match(a); m.hasMatch())
            desktop = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        else if (a == QLatin1String("dark"))
            dark = true;
        else
            language = a;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: kx5_screenshots OUTDIR [ko|en] [dark] [WxH]\n");
        return 2;
    }
    // The small screen is a 1024x600 one at whatever scale the desktop has.
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    const QString screen = QDir::tempPath() + QStringLiteral("/kx5_screenshots_screen.json");
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == QLatin1String("offscreen")) {
        QFile json(screen);
        if (json.open(QIODevice::WriteOnly))
            json.write(
                QStringLiteral(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": %1, )"
                               R"("height": %2, "logicalDpi": 96, "logicalBaseDpi": 96}, )"
                               R"({"name": "small", "x": %1, "y": 0, "width": %3, "height": %4, )"
                               R"("logicalDpi": 96, "logicalBaseDpi": 96}]})")
                    .arg(desktop.width())
                    .arg(desktop.height())
                    .arg(std::lround(1024 * std::max(scale, 1.0)))
                    .arg(std::lround(600 * std::max(scale, 1.0)))
                    .toLatin1());
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screen.toLocal8Bit());
    }
    QApplication app(argc, argv);
    if (dark) {
        // Fusion draws from the palette alone, as a dark desktop theme's style does.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    g_out = QString::fromLocal8Bit(argv[1]);
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
    {
        // The same window maximised on a small laptop's 1024x600 screen, less the title bar a
        // window manager adds.
        QScreen* small = nullptr;
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String("small")) small = s;
        if (small) {
            const QRect before = main.geometry();
            main.hide();
            main.setScreen(small);
            const QRect free = small->availableGeometry();
            main.setGeometry(QRect(free.topLeft() + QPoint(8, 32), free.size() - QSize(16, 40)));
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
    {
        // Not in the guide, looked at all the same.
        frmD_Edit edit(link, &main);
        shoot(&edit, "edit-print-speed");
        LineStatisticsDialog stats(link, &main);
        shoot(&stats, "line-statistics");
        frmKX5_About about(&main);
        shoot(&about, "about");
        PublishingDialog publishing(main.publisher()->options(), &main);
        shoot(&publishing, "publishing");
        GatewayDialog gateway(GatewayOptions{}, &main);
        shoot(&gateway, "gateway");
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
        // A write's status as it blinks, and its contrast on the pixels drawn.
        map.request(Request::writeOne(1, 301, 1000)); // SV1 100.0, as it is
        const QString waiting = map.messageLabel()->text();
        if (!waitFor([&] { return map.messageLabel()->text() != waiting; }, 10000)) ++g_failures;
        for (const char* name : {"parameter-map-written", "parameter-map-written-blink"}) {
            shoot(&map, name);
            const double ratio = drawnContrast(map.messageLabel());
            std::printf("  write status \"%s\": contrast %.1f:1\n",
                        qPrintable(map.messageLabel()->text()), ratio);
            if (ratio < 4.5) ++g_failures;
            pump(1000); // the other colour of the blink
        }
        const std::pair<MapDialog, const char*> dialogs[] = {
            {MapDialog::IN, "input-group"}, {MapDialog::OUT, "group-output"},
            {MapDialog::SetDT, "clock"},    {MapDialog::Control, "group-control"},
            {MapDialog::PID, "group-pid"},  {MapDialog::SV, "group-sv"},
            {MapDialog::AT, "group-at"},    {MapDialog::ALM, "group-alarm"}};
        for (const auto& [which, name] : dialogs) {
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
