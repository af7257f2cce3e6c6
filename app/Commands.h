// Connects the main window's commands to the settings windows, the About box and the
// companion files.
#pragma once

class frmKX5_Main;

void installCommands(frmKX5_Main* window);
