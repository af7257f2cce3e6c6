#include "monitor/SettingsEvents.h"

#include "files/DataSaveSettings.h"
#include "files/LinkOptions.h"
#include "files/PublishOptions.h"
#include "link/PortSettings.h"
#include "services/EventLog.h"

#include <QStringList>

namespace {

// The words of a setting, both ways.
FileNotice worded(const char* source, const QStringList& args = {},
                  const QStringList& shownArgs = {}) {
    return fileNotice("SettingsEvents", source, args, shownArgs);
}

FileNotice onOff(bool on) {
    return on ? worded(QT_TRANSLATE_NOOP("SettingsEvents", "on"))
              : worded(QT_TRANSLATE_NOOP("SettingsEvents", "off"));
}

} // namespace

SettingsSaid settingsSaid(const PortSettings& port, const LinkOptions& link,
                          const StationList& stations, const DataSaveSettings& save,
                          const PublishOptions& publish) {
    QStringList mcs;
    for (const StationEntry& e : stations)
        mcs << QString::number(e.mcNo);
    const FileNotice fast = onOff(link.fastPolling), reopen = onOff(link.reopenLostPort);
    const FileNotice allowed = save.enabled
                                   ? worded(QT_TRANSLATE_NOOP("SettingsEvents", "allowed"))
                                   : worded(QT_TRANSLATE_NOOP("SettingsEvents", "not allowed"));
    const FileNotice unit = save.unit == DataSaveSettings::Unit::Minutes
                                ? worded(QT_TRANSLATE_NOOP("SettingsEvents", "min"))
                                : worded(QT_TRANSLATE_NOOP("SettingsEvents", "sec"));
    const QString every = QString::number(save.interval);
    FileNotice published = worded(QT_TRANSLATE_NOOP("SettingsEvents", "off"));
    if (publish.enabled) {
        const QString at = QStringLiteral("%1:%2").arg(publish.host).arg(publish.port);
        published =
            publish.tls
                ? worded(QT_TRANSLATE_NOOP("SettingsEvents", "on, to %1 with TLS, topics %2/..."),
                         {at, publish.baseTopic()})
                : worded(QT_TRANSLATE_NOOP("SettingsEvents", "on, to %1, topics %2/..."),
                         {at, publish.baseTopic()});
    }
    const char* portWords = QT_TRANSLATE_NOOP(
        "SettingsEvents", "%1 at %2 %3, fast polling %4, a lost port reopened %5");
    const char* saveWords = QT_TRANSLATE_NOOP("SettingsEvents", "saving %1, every %2 %3, to %4");
    return {{{QT_TRANSLATE_NOOP("EventLog", "Port settings changed: %1"),
              worded(portWords,
                     {port.port, port.commText(), port.text(PortSettings::kProtocol), fast.logged,
                      reopen.logged},
                     {port.port, port.commText(), port.text(PortSettings::kProtocol), fast.shown,
                      reopen.shown})},
             {QT_TRANSLATE_NOOP("EventLog", "Stations in use changed: %1"),
              mcs.isEmpty() ? worded(QT_TRANSLATE_NOOP("SettingsEvents", "none"))
                            : worded(QT_TRANSLATE_NOOP("SettingsEvents", "MC %1"),
                                     {mcs.join(QStringLiteral(", "))})},
             {QT_TRANSLATE_NOOP("EventLog", "Data save settings changed: %1"),
              worded(saveWords, {allowed.logged, every, unit.logged, save.filesPattern()},
                     {allowed.shown, every, unit.shown, save.filesPattern()})},
             {QT_TRANSLATE_NOOP("EventLog", "Publishing settings changed: %1"), published}}};
}

void logSettingsChanges(EventLog* events, const SettingsSaid& before, const SettingsSaid& now) {
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i].second.logged != before[i].second.logged)
            events->add(0, fileNotice("EventLog", now[i].first, {now[i].second.logged},
                                      {now[i].second.shown}));
}
