// The command line: what to do at start, so that an auto-start entry can resume a whole
// logging run after a power cut.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct StartOptions {
    bool open = false;      // --open: open the port
    bool save = false;      // --save: start data saving
    bool graph = false;     // --graph: run the trend graph once the port is online
    QString dir;            // --dir PATH: another program folder
    bool headless = false;  // --headless: no window, events on standard error
    bool discovery = false; // --discovery: with --headless, announce to Home Assistant
    // The Modbus TCP gateway for this run, over CFG/Gateway.INI: --gateway turns it on, the
    // others set what they name (0 or empty: as the file says).
    bool gateway = false;
    QString gatewayAddress;
    int gatewayPort = 0;
    int gatewayClients = 0;
    bool gatewayWrites = false;
    int gatewayWaitMs = 0;    // --gateway-wait
    int gatewayIdle = -1;     // --gateway-idle; 0 is "never"
    int gatewaySerialMs = -1; // --gateway-serial-timeout; 0 is from the line's speed
    bool gatewayTrustedSet = false;
    QStringList gatewayTrusted;
    bool help = false, version = false;
    QString error;    // a bad command line, said to the user
    QString helpText; // with help or an error only
};

struct GatewayOptions;
// The gateway options of the file with what the command line sets for this run.
void applyGatewayStartOptions(const StartOptions& options, GatewayOptions* gateway);

// What keeps the gateway of a --headless run from serving, in English; "" when nothing does or
// it is off. A service must fail at start rather than run on without the gateway it was
// started for.
QString gatewayStartProblem(const StartOptions& options);

// Which program reads them: the service's help names only what it takes.
enum class StartProgram { Windows, Service };
// raw: the arguments' bytes as the system gave them (argv), to catch names lost in decoding.
StartOptions parseStartOptions(const QStringList& arguments, const QList<QByteArray>& raw = {},
                               StartProgram program = StartProgram::Windows);
// Whether the arguments ask only for the help or the version text, which needs no display.
bool wantsTextOnly(int argc, char** argv);
