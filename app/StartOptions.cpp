#include "app/StartOptions.h"

#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"

#include <QCommandLineParser>
#include <QFile>
#include <QPushButton>

StartOptions parseStartOptions(const QStringList& arguments, const QList<QByteArray>& raw) {
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("KX5 Communication Program"));
    const QCommandLineOption help = cli.addHelpOption();
    const QCommandLineOption version = cli.addVersionOption();
    const QCommandLineOption open(QStringLiteral("open"),
                                  QStringLiteral("Open the port at start."));
    const QCommandLineOption save(
        QStringLiteral("save"),
        QStringLiteral("Start data saving at start (it must be enabled in Data Save Setting)."));
    const QCommandLineOption dir(
        QStringLiteral("dir"),
        QStringLiteral("Use PATH as the program folder (Comm.CFG, the CFG folder, the manual)."),
        QStringLiteral("PATH"));
    const QCommandLineOption headless(
        QStringLiteral("headless"),
        QStringLiteral("Run without windows or a display (as a service): the link, data saving, "
                       "events and publishing only; events also go to standard error. Stops "
                       "cleanly on SIGTERM."));
    cli.addOptions({open, save, dir, headless});
    StartOptions o;
    if (!cli.parse(arguments)) {
        o.error = cli.errorText();
        return o;
    }
    if (!cli.positionalArguments().isEmpty())
        o.error = QStringLiteral("Unknown argument: %1").arg(cli.positionalArguments().first());
    o.help = cli.isSet(help);
    o.version = cli.isSet(version);
    o.open = cli.isSet(open);
    o.save = cli.isSet(save);
    o.dir = cli.value(dir);
    o.headless = cli.isSet(headless);
    // An empty folder would silently fall back to the executable's and create CFG there.
    if (cli.isSet(dir) && o.dir.trimmed().isEmpty())
        o.error = QStringLiteral("--dir needs a folder; an empty one is not used");
    // Bytes that are not UTF-8 are decoded as U+FFFD, and that name is another folder. Any
    // other argument with such bytes was refused above, so it is the folder's.
    for (qsizetype i = 1; i < raw.size() && cli.isSet(dir) && o.error.isEmpty(); ++i)
        if (QFile::encodeName(QFile::decodeName(raw[i])) != raw[i])
            o.error = QStringLiteral("--dir: the folder name %1 is not valid UTF-8 (the bytes "
                                     "shown as \uFFFD), so it is not used")
                          .arg(o.dir);
    o.helpText = cli.helpText();
    return o;
}

QString applyStartOptions(frmKX5_Main* window, const StartOptions& options) {
    QString problems;
    if (options.open) window->link()->mSetPortOpen_Click();
    if (options.save) {
        auto* start = window->findChild<QPushButton*>(QStringLiteral("btnDSave_Start"));
        if (gDSaveEnable != QLatin1String("Yes") || !start || !start->isEnabled())
            problems = QStringLiteral("--save: data saving is not enabled in Data Save Setting");
        else if (!gDSaveRun)
            start->click();
    }
    return problems;
}
