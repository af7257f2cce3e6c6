// The main window as the program makes it, on kx5sim's line in a program folder of its own, its
// port opened as the user opens it: the end-to-end tests of the windows, with real timers.
#pragma once

#include "app/LineServices.h"
#include "monitor/frmKX5_Main.h"
#include "tests/monitor/SimSettings.h"
#include "tests/support/AnsweredBoxes.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

struct SimWindow : AnsweredBoxes {
    // The simulated stations, and the settings naming them.
    void startSim(std::initializer_list<int> stations, bool sum = false) {
        setProgramDir(dir.path());
        kx5sim::LineConfig cfg;
        cfg.stations = stations;
        cfg.mode = sum ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
        sim.emplace(cfg);
        std::string err;
        ASSERT_TRUE(sim->start(&err)) << err;
        ASSERT_TRUE(writeSimSettings(*sim, stations, sum));
    }
    void openWindow() {
        services.emplace();
        win = std::make_unique<frmKX5_Main>(services->parts(), loadStartSettings());
        win->show();
        QTest::mouseClick(win->findChild<QPushButton*>("btnMenu_3"), Qt::LeftButton);
    }
    ~SimWindow() {
        answer.reset(); // Close the port? Yes
        if (win) win->close();
        win.reset();
        setProgramDir(QString());
    }
    QTemporaryDir dir;
    std::optional<kx5sim::SimLine> sim;
    std::optional<LineServices> services; // outlives the window
    std::unique_ptr<frmKX5_Main> win;
};
