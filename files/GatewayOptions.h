// How the Modbus TCP gateway listens and what it lets clients write: CFG/Gateway.INI
// ("key=value" lines). Off until the user turns it on, and on the loopback address until asked.
#pragma once

#include "files/FileChecks.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

struct GatewayOptions {
    bool enabled = false;
    QString address = QStringLiteral("127.0.0.1");
    int port = 1502; // 502 needs privileges; the guide says how to offer it
    int maxClients = 8;
    bool writes = false;
    // Registers a client may write: SV1 to SV3, the recorder keys and the print speed.
    std::vector<int> allowList = {301, 302, 303, 501, 502, 503, 504, 505, 506};
    // The longest a client waits for an answer that needs the line before it is answered 0B:
    // below the 1 to 3 s common client time-outs, so the answer is never one the client has
    // given up on (a late answer desynchronises masters that read it as the next one's).
    int answerWaitMs = 1000;
    // The longest the link waits for the controller's answer to a client's request (each of its
    // three tries); 0: the link's own wait, the frames' wire time at the line's rate plus the
    // controller's 500 ms. Shorter lets a given-up request end within the client's wait.
    int serialTimeoutMs = 0;
    // A connection silent this long is closed; 0: never.
    int idleSeconds = 60;
    // A parameter block read longer ago than this is read again before a client is served it
    // (the clock registers always are).
    int imageMaxAgeSeconds = 10;
    // Addresses ("192.168.1.20") and networks ("192.168.1.0/24") that may connect; empty: any.
    QStringList trusted;

    static constexpr int kMostClients = 64;
    static constexpr int kLeastWaitMs = 100, kMostWaitMs = 60000;
    static constexpr int kLeastSerialMs = 50, kMostSerialMs = 10000;
    static constexpr int kMostIdleSeconds = 86400;
    static constexpr int kMostImageAgeSeconds = 3600;

    // What loading the file found wrong, each with the file and line, in English for the
    // events file and in the user's language for the list: errors keep the gateway off, notes
    // are lines that were ignored.
    QList<FileNotice> fileErrors, fileNotes;

    bool allows(int reg) const;
    // The allow-list as the file and the window write it: "301-303,501-506".
    QString allowListText() const;
    // The registers of such a text; false (and *bad the first wrong item) for anything else.
    static bool parseAllowList(const QString& text, std::vector<int>* regs, QString* bad);
    // Whether a client at address may connect.
    bool trusts(const QHostAddress& address) const;
    // The trusted list as the file and the window write it: "192.168.1.0/24,10.0.0.5".
    QString trustedText() const { return trusted.join(QLatin1Char(',')); }
    // The items of such a text; false (and *bad the first wrong item) for anything else.
    static bool parseTrusted(const QString& text, QStringList* items, QString* bad);
    // What keeps these options from being used, in English or translated; "" when nothing.
    QString problem(bool translated = false) const;
    bool operator==(const GatewayOptions&) const = default;
};

QString gatewayOptionsPath(); // <program>/CFG/Gateway.INI
// The file's options; what is missing keeps its default.
GatewayOptions loadGatewayOptions();
// Written atomically; on failure *error names the file and the cause.
bool saveGatewayOptions(const GatewayOptions& options, QString* error);
