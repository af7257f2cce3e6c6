#include "files/FolderLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {
// Drops a lock without unlocking it: unlocking removes the file by its name, which may now be
// another lock's. Kept reachable, never unlocked, for as long as the program runs.
void dropUnlocked(std::unique_ptr<QLockFile> lock) {
    static auto* const dropped = new std::vector<QLockFile*>;
    dropped->push_back(lock.release());
}

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

FileNotice FolderLocks::retake() {
    for (auto it = m_locks.begin(); it != m_locks.end(); ++it) {
        const QString folder = it->first; // a copy: the entry may be erased below
        const QString file = lockPath(folder);
        // The folder is gone: taken when it comes back.
        if (!QFileInfo(folder).isDir()) continue;
        bool lost = false;
        if (const QFileInfo info(file); info.exists()) {
            // The file as this program last found it is still ours: its owner is read again
            // only when it changed (each reading takes the heap a 16 KB buffer, every few
            // seconds for months).
            const QDateTime written = info.lastModified();
            if (m_seen[folder] == written) continue;
            qint64 pid = 0;
            QString host, app;
            QLockFile(file).getLockInfo(&pid, &host, &app);
            if (pid == QCoreApplication::applicationPid()) { // ours
                m_seen[folder] = written;
                continue;
            }
            lost = true;
        } else {
            // Unlocking the old one would remove the new one's file, and complain.
            dropUnlocked(std::move(it->second));
            auto lock = std::make_unique<QLockFile>(file);
            lock->setStaleLockTime(0);
            lost = !lock->tryLock(0) && lock->error() == QLockFile::LockFailedError;
            if (!lost) {
                it->second = std::move(lock);
                continue;
            }
        }
        // Another program's file now: ours goes without removing it.
        dropUnlocked(std::move(it->second));
        m_locks.erase(it);
        return fileNotice("FolderLock",
                          QT_TRANSLATE_NOOP("FolderLock",
                                            "%1 was removed and made again, and another KX5 "
                                            "Link took it meanwhile: this one no longer holds it"),
                          {QDir::toNativeSeparators(folder)});
    }
    return {};
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
    std::erase_if(m_seen, [this](const auto& seen) { return !m_locks.count(seen.first); });
    return {};
}
