// One program per folder: a second kx5comm on the same program folder or data folder would
// append to the same .DAT, events and trace files. A lock file in each folder says who holds
// it; one left by a program that crashed or was killed is taken over, since its process is gone.
#pragma once

#include "files/FileChecks.h"

#include <QDateTime>
#include <QLockFile>
#include <QStringList>
#include <map>
#include <memory>

class FolderLocks {
public:
    // The lock file of a folder.
    static QString lockPath(const QString& folder);
    // Holds the locks of exactly these folders (a folder named twice is locked once): keeps
    // those already held, takes the new ones, lets go of the rest. When one is held by another
    // program, says which folder and who holds it (pid and host) and takes nothing new.
    FileNotice lock(const QStringList& folders);
    bool holds(const QString& folder) const;
    // A held folder that was removed and made again has lost its lock file with it: taken
    // again, so a second program is still refused there. When another program got it first,
    // says so and lets it go. Asked every few seconds while the program runs.
    FileNotice retake();

private:
    std::map<QString, std::unique_ptr<QLockFile>> m_locks; // by absolute folder path
    std::map<QString, QDateTime> m_seen; // when each lock file was last found to be ours
};
