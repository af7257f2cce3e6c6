#include "files/LinkOptions.h"

#include "files/ConfigFiles.h"
#include "files/OptionTable.h"

#include <QDir>

namespace {

// LinkOptions.INI as one table, in the order the file is written.
const OptionTable<LinkOptions>& linkTable() {
    using O = LinkOptions;
    static const OptionTable<O> table{
        linkOptionsPath,
        {"LinkOptions", QT_TRANSLATE_NOOP("LinkOptions", "not a link setting; ignored")},
        {flagOption("FastPolling", &O::fastPolling),
         flagOption("ReopenLostPort", &O::reopenLostPort),
         flagOption("RecordTrace", &O::recordTrace),
         wholeOption("TraceLimitMB", &O::traceLimitMB, 1, 100000,
                     {"LinkOptions", QT_TRANSLATE_NOOP("LinkOptions", "1 to 100000 is expected, so "
                                                                      "the default is kept")})}};
    return table;
}

} // namespace

QString linkOptionsPath() {
    return cfgDir() + QStringLiteral("/LinkOptions.INI");
}

LinkOptions loadLinkOptions(QList<FileNotice>* notes) {
    LinkOptions o;
    QList<FileNotice> said;
    // Nothing here keeps the link from running: every wrong line is a note.
    readOptions(linkTable(), &o, &said, &said);
    if (notes) *notes << said;
    return o;
}

bool saveLinkOptions(const LinkOptions& o, QString* error) {
    return writeOptions(linkTable(), o, error);
}
