// The settings the program starts with, read from the program folder's files in one place so
// that the window and the headless run are handed the same values.
#pragma once

#include "files/DataSaveSettings.h"
#include "files/FileChecks.h"
#include "files/GatewayOptions.h"
#include "files/LinkOptions.h"
#include "files/PublishOptions.h"
#include "link/PortSettings.h"
#include "link/StationList.h"

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
