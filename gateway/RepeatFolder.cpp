#include "gateway/RepeatFolder.h"

#include <QCoreApplication>

std::vector<RepeatFolder::Said> RepeatFolder::occur(const QString& group, int mcNo,
                                                    const FileNotice& text, qint64 nowMs) {
    std::vector<Said> out;
    const auto it = m_groups.find(group);
    if (it != m_groups.end()) {
        Group& g = it->second;
        if (g.text.logged == text.logged && nowMs - g.since < kSpanMs) {
            ++g.folded;
            return out;
        }
        if (g.folded > 0) out.push_back(count(g, nowMs));
    }
    m_groups[group] = Group{mcNo, text, nowMs, 0};
    out.push_back({mcNo, text});
    return out;
}

std::vector<RepeatFolder::Said> RepeatFolder::due(qint64 nowMs, bool all) {
    std::vector<Said> out;
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        Group& g = it->second;
        if (!all && nowMs - g.since < kSpanMs) {
            ++it;
            continue;
        }
        // A group still repeating folds on into the next span; a quiet one is forgotten, so
        // that its next event is said as it is.
        if (g.folded == 0 || all) {
            if (g.folded > 0) out.push_back(count(g, nowMs));
            it = m_groups.erase(it);
            continue;
        }
        out.push_back(count(g, nowMs));
        g.since = nowMs;
        g.folded = 0;
        ++it;
    }
    return out;
}

RepeatFolder::Said RepeatFolder::count(const Group& g, qint64 nowMs) {
    const QString n = QString::number(g.folded),
                  minutes = QString::number(qMax<qint64>(1, (nowMs - g.since + 30000) / 60000));
    return {g.mcNo,
            fileNotice("Gateway",
                       QT_TRANSLATE_NOOP("Gateway", "%1 (and %2 more like it in the last %3 min)"),
                       {g.text.logged, n, minutes}, {g.text.shown, n, minutes})};
}
