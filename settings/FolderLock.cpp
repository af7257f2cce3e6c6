#include "settings/FolderLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString key(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}
} // namespace

QString FolderLocks::lockPath(const QString& folder) {
    return key(folder) + QStringLiteral("/kx5comm.lock");
}

bool FolderLocks::holds(const QString& folder) const {
    return m_locks.count(key(folder)) > 0;
}

FileNotice FolderLocks::lock(const QStringList& folders) {
    std::map<QString, std::unique_ptr<QLockFile>> taken;
    for (const QString& folder : folders) {
        const QString k = key(folder);
        if (taken.count(k)) continue;
        if (auto held = m_locks.find(k); held != m_locks.end()) {
            taken[k] = std::move(held->second);
            m_locks.erase(held);
            continue;
        }
        auto lock = std::make_unique<QLockFile>(lockPath(k));
        // A program runs for months: a lock is stale only when its process is gone, never
        // by its age.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            taken[k] = std::move(lock);
            continue;
        }
        // No lock can be made there (a read-only folder): nothing can be written there
        // either, and that is said where the writing fails.
        if (lock->error() != QLockFile::LockFailedError) continue;
        // Back as it was: the locks held stay held.
        for (auto& [name, l] : taken)
            m_locks[name] = std::move(l);
        const QString native = QDir::toNativeSeparators(k);
        qint64 pid = 0;
        QString host, app;
        if (lock->getLockInfo(&pid, &host, &app))
            return fileNotice("FolderLock",
                              QT_TRANSLATE_NOOP("FolderLock",
                                                "%1 is in use by another KX5 Link (pid %2 on %3), "
                                                "which writes its data and events there. Close "
                                                "that one, or give this one another folder."),
                              {native, QString::number(pid), host});
        return fileNotice("FolderLock",
                          QT_TRANSLATE_NOOP("FolderLock",
                                            "%1 is in use by another KX5 Link. Close that one, "
                                            "or give this one another folder."),
                          {native});
    }
    m_locks = std::move(taken);
    return {};
}
