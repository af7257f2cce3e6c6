#include "settings/FileChecks.h"

#include <QTemporaryFile>

namespace {
constexpr uint kNoOwner = uint(-2); // QFileInfo::ownerId() where files have no owner
constexpr uint kRoot = 0;
} // namespace

uint currentUserId() {
    static const uint id = [] {
        QTemporaryFile own;
        return own.open() ? QFileInfo(own.fileName()).ownerId() : kNoOwner;
    }();
    return id;
}

bool ownerAllowed(uint owner, uint me) {
    return owner == me || owner == kRoot || owner == kNoOwner || me == kNoOwner;
}

QString foreignOwner(const QFileInfo& info, uint me) {
    if (!info.exists() || ownerAllowed(info.ownerId(), me)) return {};
    const QString name = info.owner();
    return QStringLiteral("owned by another user (%1uid %2), not written")
        .arg(name.isEmpty() ? QString() : name + QStringLiteral(", "))
        .arg(info.ownerId());
}
