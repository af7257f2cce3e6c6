// kx5service: the line without windows, for a service manager. Built from the core and the
// services only, so it loads no Qt Gui or Widgets and runs where no desktop is installed.
#include "app/ServiceMain.h"

int main(int argc, char** argv) {
    ignoreWriteSignals();
    return runService(argc, argv, "kx5service");
}
