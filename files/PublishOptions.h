// Where and how the stations' values are published: CFG/Publishing.INI ("key=value" lines)
// and, apart from it, the broker password in CFG/Publishing.PWD, readable by its owner only.
#pragma once

#include "files/FileChecks.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

struct PublishOptions {
    enum class When { EveryReply, EveryNSeconds, OnChange };

    bool enabled = false; // off until the user turns it on
    QString host = QStringLiteral("localhost");
    int port = 1883;
    bool tls = false;
    QString caFile;   // empty with TLS: the system's certificate authorities
    QString certFile; // client certificate and its key, both or neither
    QString keyFile;
    QString user; // empty: no user name and no password sent
    QString password;
    // Empty: "kx5comm-<computer>-<line>-<tag>", the tag a hash of the computer's name and the
    // program folder, so two programs on one computer never share an id.
    QString clientId;
    QString prefix = QStringLiteral("kx5");
    QString line = QStringLiteral("line1");
    When when = When::EveryReply;
    int everySeconds = 10; // with EveryNSeconds, 1 to 3600
    // With OnChange: a station is published when PV, SV or MV moved by more than deadBand (in
    // the value's own unit: degrees, volts or millivolts, percent), a lamp or its state
    // changed, and at least every heartbeatSeconds (1 to 3600) so a steady line shows life.
    static constexpr double kMaxDeadBand = 10000;
    double deadBand = 0.5;
    int heartbeatSeconds = 60;
    bool retain = false;
    int qos = 0; // 0 or 1
    // Home Assistant MQTT discovery: each station in use announced as a device with its
    // sensors, on <discoveryPrefix>/<component>/<node>/<object>/config, retained.
    bool discovery = false;
    QString discoveryPrefix = QStringLiteral("homeassistant");

    // What loading CFG/Publishing.INI found wrong, each with the file and line, in English for
    // the events file and in the user's language for a window: errors keep publishing off
    // (nothing is guessed), notes are lines that were ignored.
    QList<FileNotice> fileErrors, fileNotes;

    QString effectiveClientId() const;
    QString baseTopic() const { return prefix + QLatin1Char('/') + line; }
    struct Problem {
        const char* key; // the setting's key in CFG/Publishing.INI
        FileNotice text;
    };
    // What keeps these options from being used, each in English and in the user's language.
    std::vector<Problem> problems() const;
    FileNotice problem() const; // the first of them, or none
    bool operator==(const PublishOptions&) const = default;
};

QString publishOptionsPath();  // <program>/CFG/Publishing.INI
QString publishPasswordPath(); // <program>/CFG/Publishing.PWD
// <program>/CFG/Discovery.LST: the discovery topics announced on the broker and not yet
// removed, so that a station that left the list is removed after a restart too.
QString discoveryListPath();
// Reads both files; what is missing or unreadable keeps its default.
PublishOptions loadPublishOptions();
// Writes both files atomically, the password file for its owner's eyes only; on failure
// *error names the file and the cause.
bool savePublishOptions(const PublishOptions& options, QString* error);
