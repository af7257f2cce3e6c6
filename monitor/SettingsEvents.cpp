#include "monitor/SettingsEvents.h"

#include "link/PortSettings.h"
#include "monitor/EventLog.h"
#include "publish/PublishOptions.h"
#include "settings/DataSaveSettings.h"
#include "settings/LinkOptions.h"

#include <QStringList>

SettingsSaid settingsSaid(const PortSettings& port, const LinkOptions& link,
                          const StationList& stations, const DataSaveSettings& save,
                          const PublishOptions& publish) {
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    QStringList mcs;
    for (const StationEntry& e : stations)
        mcs << QString::number(e.mcNo);
    return {{{QT_TRANSLATE_NOOP("EventLog", "Port settings changed: %1"),
              QStringLiteral("%1 at %2 %3, fast polling %4, a lost port reopened %5")
                  .arg(port.port, port.commText(), port.protocol, onOff(link.fastPolling),
                       onOff(link.reopenLostPort))},
             {QT_TRANSLATE_NOOP("EventLog", "Stations in use changed: %1"),
              mcs.isEmpty() ? QStringLiteral("none") : QStringLiteral("MC ") + mcs.join(", ")},
             {QT_TRANSLATE_NOOP("EventLog", "Data save settings changed: %1"),
              QStringLiteral("saving %1, every %2 %3, to %4")
                  .arg(save.enabled ? QStringLiteral("allowed") : QStringLiteral("not allowed"))
                  .arg(save.interval)
                  .arg(save.unit == DataSaveSettings::Unit::Minutes ? "min" : "sec",
                       save.filesPattern())},
             {QT_TRANSLATE_NOOP("EventLog", "Publishing settings changed: %1"),
              publish.enabled ? QStringLiteral("on, to %1:%2%3, topics %4/...")
                                    .arg(publish.host)
                                    .arg(publish.port)
                                    .arg(publish.tls ? QStringLiteral(" with TLS") : QString(),
                                         publish.baseTopic())
                              : QStringLiteral("off")}}};
}

void logSettingsChanges(EventLog* events, const SettingsSaid& before, const SettingsSaid& now) {
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i].second != before[i].second) events->add(0, now[i].first, {now[i].second});
}
