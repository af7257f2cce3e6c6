// Connects the main window's commands to the settings windows, the About box and the
// companion files.
#pragma once

#include <QString>

class FolderLocks;
class Gateway;
class frmKX5_Main;

// locks: the folders this program holds; a data folder chosen later is taken too, or saving
// stops with a word when another program holds it.
void installCommands(frmKX5_Main* window, FolderLocks* locks = nullptr);
struct GatewayOptions;
struct StartOptions;
// The Modbus TCP gateway of the window's link: its Setup menu entry and window, its state in
// the status bar; started with the options saved in its file (saved) as this run's command
// line changes them.
void installGateway(frmKX5_Main* window, Gateway* gateway, const GatewayOptions& saved,
                    const StartOptions& options);
// Opens the port, starts the graph and saving as asked, and says in the status bar what was
// done and where the data goes; returns what could not be done, or "".
QString applyStartOptions(frmKX5_Main* window, const StartOptions& options);
