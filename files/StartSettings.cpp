#include "files/StartSettings.h"

#include "files/ConfigFiles.h"

StartSettings loadStartSettings() {
    StartSettings s;
    s.dataSave = LoadSaveDataCfg(&s.notes);
    s.port = LoadCommCfg(&s.notes);
    s.stations = LoadStations(&s.notes);
    s.link = loadLinkOptions(&s.notes);
    s.publish = loadPublishOptions();
    s.gateway = loadGatewayOptions();
    return s;
}
