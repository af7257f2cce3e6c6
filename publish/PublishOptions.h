// Where and how the stations' values are published: CFG/Publishing.INI ("key=value" lines)
// and, apart from it, the broker password in CFG/Publishing.PWD, readable by its owner only.
#pragma once

#include <QString>

struct PublishOptions {
    enum class When { EveryReply, EveryNSeconds };

    bool enabled = false; // off until the user turns it on
    QString host = QStringLiteral("localhost");
    int port = 1883;
    bool tls = false;
    QString caFile;   // empty with TLS: the system's certificate authorities
    QString certFile; // client certificate and its key, both or neither
    QString keyFile;
    QString user; // empty: no user name and no password sent
    QString password;
    QString clientId; // empty: "kx5comm-<computer>-<line>"
    QString prefix = QStringLiteral("kx5");
    QString line = QStringLiteral("line1");
    When when = When::EveryReply;
    int everySeconds = 10; // with EveryNSeconds, 1 to 3600
    bool retain = false;
    int qos = 0; // 0 or 1

    QString effectiveClientId() const;
    QString baseTopic() const { return prefix + QLatin1Char('/') + line; }
    // What keeps these options from being used, or "": in English as the event list keeps
    // it, or translated for a window.
    QString problem(bool translated = false) const;
    bool operator==(const PublishOptions&) const = default;
};

PublishOptions& publishOptions(); // the options in use
QString publishOptionsPath();     // <program>/CFG/Publishing.INI
QString publishPasswordPath();    // <program>/CFG/Publishing.PWD
// Reads both files into publishOptions(); what is missing or unreadable keeps its default.
bool loadPublishOptions();
// Writes both files atomically, the password file for its owner's eyes only; on failure
// *error names the file and the cause.
bool savePublishOptions(const PublishOptions& options, QString* error);
