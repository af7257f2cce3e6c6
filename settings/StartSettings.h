// The settings the program starts with, read from the program folder's files in one place so
// that the window and the headless run are handed the same values.
#pragma once

#include "gateway/GatewayOptions.h"
#include "link/PortSettings.h"
#include "link/StationList.h"
#include "publish/PublishOptions.h"
#include "settings/DataSaveSettings.h"
#include "settings/FileChecks.h"
#include "settings/LinkOptions.h"

#include <QList>

struct StartSettings {
    DataSaveSettings dataSave;
    PortSettings port;
    StationList stations;
    LinkOptions link;
    PublishOptions publish;
    GatewayOptions gateway;
    QList<FileNotice> notes; // files that could not be used as they stand
};

StartSettings loadStartSettings();
