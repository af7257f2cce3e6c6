#include "app/StartOptions.h"

#include "files/ConfigFiles.h"
#include "files/GatewayOptions.h"
#include "link/mdlKX5.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <tuple>

StartOptions parseStartOptions(const QStringList& arguments, const QList<QByteArray>& raw,
                               StartProgram program) {
    const bool service = program == StartProgram::Service;
    QCommandLineParser cli;
    cli.setApplicationDescription(
        service ? QStringLiteral("KX5 Communication Program without windows, for a service "
                                 "manager: the link, data saving, events, publishing and the "
                                 "Modbus TCP gateway; events also go to standard error. Stops "
                                 "cleanly on SIGTERM.")
                : QStringLiteral("KX5 Communication Program"));
    const QCommandLineOption help = cli.addHelpOption();
    const QCommandLineOption version = cli.addVersionOption();
    const QString givenUp = QStringLiteral(
        "A port the link gives up on ends the run: status 1 for a port lost while \"Reopen a "
        "lost port\" is off, 2 for line settings in Comm.CFG that no port takes.");
    const QCommandLineOption open(QStringLiteral("open"),
                                  service ? QStringLiteral("Open the port at start. ") + givenUp
                                          : QStringLiteral("Open the port at start."));
    const QCommandLineOption save(
        QStringLiteral("save"),
        QStringLiteral("Start data saving at start (it must be enabled in Data Save Setting)."));
    const QCommandLineOption dir(
        QStringLiteral("dir"),
        QStringLiteral("Use PATH as the program folder (Comm.CFG, the CFG folder, the manual)."),
        QStringLiteral("PATH"));
    QCommandLineOption graph(QStringLiteral("graph"),
                             QStringLiteral("Start the trend graph once the port is open."));
    QCommandLineOption headless(
        QStringLiteral("headless"),
        QStringLiteral("Run without windows or a display (as a service): the link, data saving, "
                       "events and publishing only; events also go to standard error. Stops "
                       "cleanly on SIGTERM. With --open: ") +
            givenUp);
    // The service has no windows: a start line written for kx5comm --headless still runs it,
    // but its help names only what it does.
    if (service) {
        graph.setFlags(QCommandLineOption::HiddenFromHelp);
        headless.setFlags(QCommandLineOption::HiddenFromHelp);
    }
    const QCommandLineOption discovery(
        QStringLiteral("discovery"),
        (service ? QStringLiteral("Announce") : QStringLiteral("With --headless: announce")) +
            QStringLiteral(" the stations to Home Assistant (MQTT discovery) in this run, as if "
                           "ticked in Publishing."));
    const QCommandLineOption gateway(
        QStringLiteral("gateway"),
        QStringLiteral("Run the Modbus TCP gateway (unit id = MC No) whatever "
                       "CFG/Gateway.INI says; the options below set it for this run."));
    const QCommandLineOption gatewayAddress(
        QStringLiteral("gateway-address"),
        QStringLiteral("Listen on ADDRESS (default 127.0.0.1; 0.0.0.0 for every network)."),
        QStringLiteral("ADDRESS"));
    const QCommandLineOption gatewayPort(QStringLiteral("gateway-port"),
                                         QStringLiteral("Listen on TCP port PORT (default 1502)."),
                                         QStringLiteral("PORT"));
    const QCommandLineOption gatewayClients(
        QStringLiteral("gateway-clients"),
        QStringLiteral("Serve at most N clients at once (1 to 64, default 8)."),
        QStringLiteral("N"));
    const QCommandLineOption gatewayWrites(
        QStringLiteral("gateway-writes"),
        QStringLiteral("Let clients write the registers of the allow-list (default: SV1 to SV3, "
                       "the recorder keys and the print speed)."));
    const QCommandLineOption gatewayWait(
        QStringLiteral("gateway-wait"),
        QStringLiteral("Answer a request that needs the line within MS milliseconds, or with "
                       "exception 0B (100 to 60000, default 1000; keep it below the clients' "
                       "own time-out)."),
        QStringLiteral("MS"));
    const QCommandLineOption gatewayIdle(
        QStringLiteral("gateway-idle"),
        QStringLiteral("Close a client's connection after S seconds without a request (0: "
                       "never; default 60)."),
        QStringLiteral("S"));
    const QCommandLineOption gatewaySerial(
        QStringLiteral("gateway-serial-timeout"),
        QStringLiteral("Wait MS milliseconds for the controller's answer to each try of a "
                       "client's request (0: from the line's speed, the frames' wire time and "
                       "600 ms; else 50 to 10000)."),
        QStringLiteral("MS"));
    const QCommandLineOption gatewayTrusted(
        QStringLiteral("gateway-trusted"),
        QStringLiteral("Accept connections only from LIST, addresses and networks separated by "
                       "commas (e.g. 192.168.1.0/24,10.0.0.5); others are refused and counted."),
        QStringLiteral("LIST"));
    cli.addOptions({open, save, graph, dir, headless, discovery, gateway, gatewayAddress,
                    gatewayPort, gatewayClients, gatewayWrites, gatewayWait, gatewaySerial,
                    gatewayIdle, gatewayTrusted});
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
    o.graph = cli.isSet(graph);
    o.dir = cli.value(dir);
    o.headless = cli.isSet(headless);
    o.discovery = cli.isSet(discovery);
    if (o.discovery && !o.headless)
        o.error = QStringLiteral("--discovery is for --headless runs; with windows, tick it in "
                                 "Setup, Publishing");
    o.gateway = cli.isSet(gateway);
    o.gatewayAddress = cli.value(gatewayAddress);
    o.gatewayWrites = cli.isSet(gatewayWrites);
    for (auto [option, into] :
         {std::pair{&gatewayPort, &o.gatewayPort}, std::pair{&gatewayClients, &o.gatewayClients},
          std::pair{&gatewayWait, &o.gatewayWaitMs}}) {
        bool ok = true;
        if (cli.isSet(*option)) *into = cli.value(*option).toInt(&ok);
        if (!ok || (cli.isSet(*option) && *into < 1))
            o.error = QStringLiteral("--%1 needs a whole number above 0, not \"%2\"")
                          .arg(option->names().first(), cli.value(*option));
    }
    for (auto [option, into, unit] :
         {std::tuple{&gatewayIdle, &o.gatewayIdle, "seconds"},
          std::tuple{&gatewaySerial, &o.gatewaySerialMs, "milliseconds"}}) {
        bool ok = false;
        if (!cli.isSet(*option)) continue;
        *into = cli.value(*option).toInt(&ok);
        if (!ok || *into < 0)
            o.error = QStringLiteral("--%1 needs a whole number of %2, 0 or more, not \"%3\"")
                          .arg(option->names().first(), QLatin1String(unit), cli.value(*option));
    }
    o.gatewayTrustedSet = cli.isSet(gatewayTrusted);
    if (QString bad; o.gatewayTrustedSet && !GatewayOptions::parseTrusted(cli.value(gatewayTrusted),
                                                                          &o.gatewayTrusted, &bad))
        o.error = QStringLiteral("--gateway-trusted: %1 is not an address or a network (such as "
                                 "192.168.1.0/24)")
                      .arg(bad);
    // What the command line sets for the gateway must be usable whatever the file says.
    GatewayOptions asked;
    applyGatewayStartOptions(o, &asked);
    if (const QString p = asked.problem(); !p.isEmpty() && o.error.isEmpty())
        o.error = QStringLiteral("Modbus TCP gateway: %1").arg(p);
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
    // Laid out only when it is shown: a run that starts never pages in the code that lays it out.
    if (!o.help && o.error.isEmpty()) return o;
    o.helpText = cli.helpText();
    // The usage line names the program, not the path it happened to be started by.
    const QString started = QCoreApplication::instance() ? QCoreApplication::arguments().value(0)
                                                         : QStringLiteral("<executable_name>");
    const int at = started.isEmpty() ? -1 : int(o.helpText.indexOf(started));
    if (at >= 0) o.helpText.replace(at, started.size(), QCoreApplication::applicationName());
    return o;
}

bool wantsTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-?" || a == "-v" ||
            a == "--version")
            return true;
    }
    return false;
}

void applyGatewayStartOptions(const StartOptions& options, GatewayOptions* gateway) {
    if (options.gateway) gateway->enabled = true;
    if (!options.gatewayAddress.isEmpty()) gateway->address = options.gatewayAddress;
    if (options.gatewayPort > 0) gateway->port = options.gatewayPort;
    if (options.gatewayClients > 0) gateway->maxClients = options.gatewayClients;
    if (options.gatewayWrites) gateway->writes = true;
    if (options.gatewayWaitMs > 0) gateway->answerWaitMs = options.gatewayWaitMs;
    if (options.gatewayIdle >= 0) gateway->idleSeconds = options.gatewayIdle;
    if (options.gatewaySerialMs >= 0) gateway->serialTimeoutMs = options.gatewaySerialMs;
    if (options.gatewayTrustedSet) gateway->trusted = options.gatewayTrusted;
}

QString gatewayStartProblem(const StartOptions& options) {
    GatewayOptions o = loadGatewayOptions();
    applyGatewayStartOptions(options, &o);
    if (!o.enabled) return {};
    if (const QString p = o.problem(); !p.isEmpty()) return p;
    return o.fileErrors.isEmpty() ? QString() : o.fileErrors.first().logged;
}
