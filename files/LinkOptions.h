// Our own link choices, kept beside the three settings files so that Comm.CFG stays
// exactly six lines: CFG/LinkOptions.INI, "key=value" lines.
#pragma once

#include "files/FileChecks.h"

#include <QList>
#include <QString>

struct LinkOptions {
    bool fastPolling = false;   // off: the standard pacing
    bool reopenLostPort = true; // a port that fails while open is reopened by itself
    bool recordTrace = false;   // every frame to a daily file in the data folder
    int traceLimitMB = 100;     // the recorded days kept, at most this many MB in all

    bool operator==(const LinkOptions&) const = default;
};

QString linkOptionsPath(); // <program>/CFG/LinkOptions.INI
// Reads the file; a missing or unreadable file, or a line it does not know, leaves the
// defaults. What is there and cannot be used goes to *notes, with the file, line and reason.
LinkOptions loadLinkOptions(QList<FileNotice>* notes = nullptr);
// Writes the file atomically; on failure *error names the file and the cause.
bool saveLinkOptions(const LinkOptions& options, QString* error);
