// The settings a settings window can change, each group worded for the events file, so that a
// confirmed window logs one event for each group that now differs.
#pragma once

#include "files/FileChecks.h"
#include "link/StationList.h"

#include <QString>
#include <array>
#include <utility>

class EventLog;
struct DataSaveSettings;
struct LinkOptions;
struct PortSettings;
struct PublishOptions;

// Each group's event text (untranslated, for EventLog) with its words now, in English for the
// events file and in the user's language for the list.
using SettingsSaid = std::array<std::pair<const char*, FileNotice>, 4>;

SettingsSaid settingsSaid(const PortSettings& port, const LinkOptions& link,
                          const StationList& stations, const DataSaveSettings& save,
                          const PublishOptions& publish);
// An event for each group of `now` that differs from `before`.
void logSettingsChanges(EventLog* events, const SettingsSaid& before, const SettingsSaid& now);
