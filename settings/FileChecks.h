// Checks made before the program writes a file in a folder others may write to: the file must
// belong to the user or root. Qt only, no system calls, so they hold wherever Qt runs.
#pragma once

#include <QFileInfo>
#include <QString>

// The user the program runs as, learnt from a file it creates itself; ownerless systems give
// QFileInfo's "no owner" value, as they do for every file.
uint currentUserId();
// A file of owner may be written by user me: its own, root's, or when either has no owner.
bool ownerAllowed(uint owner, uint me);
// Why an existing file is not to be written because another user owns it, or "".
QString foreignOwner(const QFileInfo& info, uint me = currentUserId());
